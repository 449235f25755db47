// The page around the program's window: the canvas laid out to fit the visible page, the
// controls under it (the program's keys, frames held back or stepped, colours, a site placed
// by its position), fullscreen, and what the page tells a screen reader. The driver
// (web_library.js) owns the canvas and its events; the page reaches the program only as a
// user could, through `Module.driver`, and learns what it shows from the program's summary.

// What the driver tells the page (web_library.js lists it all): the program's window, its
// summary, what the driver has to say, the program's end with its status.
var Module = {
  canvas: document.getElementById('window'),
  print: function(text) { console.log(text); },
  printErr: function(text) { console.error(text); },
};

(function() {
  'use strict';
  var canvas = document.getElementById('window');
  var stage = document.getElementById('stage');
  var keys = document.getElementById('keys');
  var legend = document.getElementById('legend');
  var status = document.getElementById('status');
  var usage = document.getElementById('usage');
  var fullscreenButton = document.getElementById('fullscreen');
  var again = document.getElementById('again');
  var crosshair = document.getElementById('crosshair');
  var placeX = document.getElementById('place-x'), placeY = document.getElementById('place-y');
  // The window's size in window pixels: the markup's until the program opens its window.
  var windowSize = {width: canvas.width, height: canvas.height};
  // The smallest scale at which the page's filter keeps every line and dot of the window
  // (each screen pixel takes the brightest of at most 5 x 5 window pixels): the page scrolls
  // rather than show the window smaller.
  var SMALLEST_SCALE = 1 / 4;

  function driver() { return Module['driver'] || null; }

  // The layout's own sizes, as the style sheet gives them.
  var rootStyle = getComputedStyle(document.documentElement);
  var MARGIN = parseFloat(rootStyle.getPropertyValue('--page-margin')) || 0;
  var GAP = parseFloat(rootStyle.getPropertyValue('--gap')) || 0;

  function fullscreenElement() {
    return document.fullscreenElement || document.webkitFullscreenElement || null;
  }

  // ---- Layout ------------------------------------------------------------------------------

  // The canvas at the largest scale at which the line of use, the window and the controls
  // under it fit the visible page without scrolling: 1:1 whenever they fit, smaller when they
  // do not, as large as the screen allows in fullscreen (with the legend under the controls).
  // Never wider than the page; never smaller than the filter allows, as long as the page is
  // wide enough: then the page scrolls down instead. The legend goes beside the window when
  // there is room, under the controls otherwise.
  function fit() {
    var full = fullscreenElement() === stage;
    stage.classList.remove('beside');
    var style = getComputedStyle(stage);
    var across = stage.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    var box = canvas.getBoundingClientRect();
    var last = full ? legend : keys;
    var above = box.top + (full ? 0 : window.scrollY);
    var below = last.getBoundingClientRect().bottom - box.bottom + MARGIN;
    var wide = across / windowSize.width;
    var high = (document.documentElement.clientHeight - above - below) / windowSize.height;
    var scale = Math.min(full ? Infinity : 1, wide, high >= SMALLEST_SCALE ? high : Infinity);
    var width = windowSize.width * scale, height = windowSize.height * scale;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    var roomBeside = across - width - GAP >= legend.offsetWidth;
    stage.classList.toggle('beside', !full && roomBeside && legend.offsetHeight <= height);
    placeCrosshair();
  }

  Module.onWindow = function(title, width, height) {
    document.title = title;
    if (width === windowSize.width && height === windowSize.height) return;
    windowSize = {width: width, height: height};
    placeX.max = width - 1;
    placeY.max = height - 1;
    fit();
  };
  window.addEventListener('resize', fit);
  // The line of use and the controls change height as their texts change (the status line
  // keeps room for two lines, so that what it says does not move the window).
  if (typeof ResizeObserver !== 'undefined') {
    var observer = new ResizeObserver(fit);
    [usage, keys].forEach(function(element) { observer.observe(element); });
  }
  fit();

  // ---- What a screen reader hears ------------------------------------------------------------

  // The status line is a polite live region: each change is read out once. What the driver
  // says (why there is no picture) stays on it until something else is said.
  var driverSaid = '';
  function announce(text) {
    driverSaid = '';
    status.textContent = text;
  }
  Module.onStatus = function(text) {
    announce(text);
    driverSaid = text;
  };

  function sitesText(count) {
    return count === 0 ? 'no sites' : count === 1 ? '1 site' : count + ' sites';
  }

  // What the canvas shows now, as its name.
  function describe(s) {
    if (s.finished) {
      return 'Voronoi sweep, finished: the Voronoi diagram of ' + sitesText(s.sites) +
             ', Delaunay edges ' + (s.delaunayShown ? 'shown' : 'hidden');
    }
    var placed = 'Voronoi sweep: ' + sitesText(s.sites) + ' placed; ';
    if (!s.sweepStarted) return placed + 'the sweep has not started';
    if (s.sweepRow < 0) return placed + 'the sweep line is just above the window';
    return placed + 'the sweep line is at row ' + s.sweepRow + ' of ' + s.windowRows;
  }

  // How far down the window the line is, in quarters (0 before it enters the window).
  function quarterOf(s) {
    if (!s.sweepStarted || s.finished || s.sweepRow < 0) return 0;
    return Math.min(3, Math.floor(4 * s.sweepRow / s.windowRows));
  }

  var QUARTERS = ['a quarter of the way', 'halfway', 'three quarters of the way'];
  var shown = {sites: 0, siteLimit: Infinity, sweepStarted: false, finished: false,
               delaunayOn: false, delaunayShown: false, quarter: 0};
  var stepped = false;
  var delaunayButton = document.getElementById('delaunay');

  // What changed since the frame before, said once; never one announcement per frame.
  function changes(s, was) {
    var said = [];
    if (s.sites > was.sites) {
      var where = 'at x ' + s.lastSiteX + ', y ' + s.lastSiteY;
      said.push(s.sites === was.sites + 1 ? 'Site ' + s.sites + ' placed ' + where + '.' :
                'Sites ' + (was.sites + 1) + ' to ' + s.sites + ' placed, the last ' + where + '.');
    }
    if (s.sites >= s.siteLimit && was.sites < s.siteLimit) {
      said.push('The window is full: it takes ' + s.siteLimit +
                ' sites, and further clicks place none.');
    }
    if (s.sweepStarted && !was.sweepStarted) said.push('The sweep has started.');
    var quarter = quarterOf(s);
    if (quarter > was.quarter) {
      said.push('The sweep line is ' + QUARTERS[quarter - 1] + ' down, at row ' + s.sweepRow + '.');
    }
    if (s.finished && !was.finished) {
      said.push('The sweep has finished: the Voronoi diagram of ' + sitesText(s.sites) +
                ' is drawn.');
    }
    if (s.delaunayShown !== was.delaunayShown) {
      said.push(s.delaunayShown ? 'Delaunay edges shown.' : 'Delaunay edges hidden.');
    } else if (s.delaunayOn !== was.delaunayOn) {
      said.push(s.delaunayOn ? 'Delaunay edges switched on.' : 'Delaunay edges switched off.');
    }
    return said;
  }

  Module.onSummary = function(s) {
    var said = changes(s, shown);
    if (stepped && said.length === 0) said.push('One frame on: ' + describe(s) + '.');
    stepped = false;
    s.quarter = Math.max(quarterOf(s), s.finished ? 0 : shown.quarter);
    shown = s;
    var name = describe(s);
    if (canvas.getAttribute('aria-label') !== name) canvas.setAttribute('aria-label', name);
    var pressed = s.delaunayOn ? 'true' : 'false';
    if (delaunayButton.getAttribute('aria-pressed') !== pressed) {
      delaunayButton.setAttribute('aria-pressed', pressed);
    }
    if (said.length) announce(said.join(' '));
  };

  // ---- The program's keys ---------------------------------------------------------------------

  // An on-screen key sends the very events a key of the keyboard sends, press then release,
  // into the driver's listeners.
  Array.prototype.forEach.call(keys.querySelectorAll('[data-code]'), function(button) {
    button.addEventListener('click', function() {
      var code = button.getAttribute('data-code');
      ['keydown', 'keyup'].forEach(function(type) {
        window.dispatchEvent(new KeyboardEvent(type, {code: code, key: code, bubbles: true,
                                                      cancelable: true}));
      });
    });
  });

  // ---- Frames held back, stepped, slowed ------------------------------------------------------

  var pauseButton = document.getElementById('pause');
  var stepButton = document.getElementById('step');
  var held = false;
  pauseButton.addEventListener('click', function() {
    if (!driver()) return;
    held = !held;
    driver().holdFrames(held);
    pauseButton.textContent = held ? 'Resume' : 'Pause';
    // Still focusable when it does nothing, so that focus is never lost with it.
    stepButton.setAttribute('aria-disabled', held ? 'false' : 'true');
    announce(held ? 'Paused at the next frame. Step shows one frame at a time; clicks and ' +
                    'keys wait for it.' : 'Resumed.');
  });
  stepButton.addEventListener('click', function() {
    if (!held || !driver()) return;
    stepped = true;
    driver().stepFrame();
  });
  document.getElementById('speed').addEventListener('change', function(e) {
    if (!driver()) return;
    var refreshes = parseInt(e.target.value, 10);
    driver().setFrameInterval(refreshes);
    announce('Speed: ' + (refreshes === 1 ? 'one frame every display refresh.' :
                          '1/' + refreshes + ' of the display\'s rate.'));
  });

  // ---- Colours --------------------------------------------------------------------------------

  function bytes(text) { return text.split(' ').map(Number); }
  var colourItems = Array.prototype.slice.call(legend.querySelectorAll('[data-colour]'));

  // The legend's swatches in the colours the window is shown in; the map from the program's
  // colours to those, for the driver's present step (none for the program's own).
  function showColours(scheme) {
    var pairs = [];
    colourItems.forEach(function(item) {
      var from = bytes(item.getAttribute('data-colour'));
      var to = scheme === 'contrast' ? bytes(item.getAttribute('data-contrast')) : from;
      item.style.setProperty('--shown', 'rgb(' + to.join(', ') + ')');
      if (to.join() !== from.join()) pairs.push([from, to]);
    });
    if (driver()) driver().setColourMap(pairs.length ? pairs : null);
  }
  document.getElementById('colours').addEventListener('change', function(e) {
    showColours(e.target.value);
    announce(e.target.value === 'contrast' ? 'Colours: high contrast, the sweep line yellow.' :
                                             'Colours: standard.');
  });
  showColours('standard');

  // ---- A site placed by its position ----------------------------------------------------------

  // The crosshair shows where the site typed into the fields goes while either has focus.
  function fieldValue(field) {
    var value = Number(field.value);
    var most = Number(field.max);
    return field.value !== '' && Number.isInteger(value) && value >= 0 && value <= most ?
           value : null;
  }

  function placeCrosshair() {
    var x = fieldValue(placeX), y = fieldValue(placeY);
    var focused = document.activeElement === placeX || document.activeElement === placeY;
    crosshair.hidden = !focused || x === null || y === null;
    if (crosshair.hidden) return;
    var width = canvas.clientWidth, height = canvas.clientHeight;
    var across = (x + 0.5) * width / windowSize.width, down = (y + 0.5) * height / windowSize.height;
    var lines = crosshair.children;
    lines[0].style.cssText = 'left: 0; width: ' + width + 'px; top: ' + (down - 0.5) + 'px; height: 1px';
    lines[1].style.cssText = 'top: 0; height: ' + height + 'px; left: ' + (across - 0.5) + 'px; width: 1px';
    crosshair.style.cssText = 'left: 0; top: 0; width: ' + width + 'px; height: ' + height + 'px';
  }

  [placeX, placeY].forEach(function(field) {
    ['focus', 'blur', 'input'].forEach(function(type) {
      field.addEventListener(type, placeCrosshair);
    });
    // The arrows move a pixel at a time (the field's own); PageUp and PageDown ten.
    field.addEventListener('keydown', function(e) {
      var by = {PageUp: 10, PageDown: -10}[e.key];
      if (!by) return;
      e.preventDefault();
      var value = Math.round(Number(field.value) || 0) + by;
      field.value = Math.max(0, Math.min(Number(field.max), value));
      placeCrosshair();
    });
  });

  document.getElementById('place').addEventListener('submit', function(e) {
    e.preventDefault();
    var x = fieldValue(placeX), y = fieldValue(placeY);
    placeX.setAttribute('aria-invalid', x === null ? 'true' : 'false');
    placeY.setAttribute('aria-invalid', y === null ? 'true' : 'false');
    if (x === null || y === null) {
      var field = x === null ? placeX : placeY;
      announce((x === null ? 'x' : 'y') + ' must be a whole number from 0 to ' + field.max + '.');
      return;
    }
    if (driver()) driver().click(x, y);
  });

  // ---- Fullscreen -----------------------------------------------------------------------------

  // Fullscreen where the browser offers it for a part of a page (not on an iPhone).
  if (!(document.fullscreenEnabled || document.webkitFullscreenEnabled)) {
    fullscreenButton.hidden = true;
  }
  fullscreenButton.addEventListener('click', function() {
    if (fullscreenElement()) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    } else {
      (stage.requestFullscreen || stage.webkitRequestFullscreen).call(stage);
    }
  });
  function fullscreenChanged() {
    fullscreenButton.textContent = fullscreenElement() ? 'Leave fullscreen' : 'Fullscreen';
    fit();
  }
  document.addEventListener('fullscreenchange', fullscreenChanged);
  document.addEventListener('webkitfullscreenchange', fullscreenChanged);

  // ---- The end ----------------------------------------------------------------------------------

  // Once the program has ended, its controls go and a new run can start: loading the page
  // again is a new process, as starting the program again is on a desktop. Focus, which was
  // on a control that has gone, moves to Run again.
  function ended(text) {
    var focusGone = !document.activeElement || document.activeElement === document.body ||
                    keys.contains(document.activeElement);
    usage.textContent = text + ' Run again starts a new run.';
    stage.classList.add('ended');
    crosshair.hidden = true;
    again.hidden = false;
    if (focusGone) again.focus();
    announce((driverSaid ? driverSaid + ' ' : '') + text);
  }
  again.addEventListener('click', function() { location.reload(); });
  Module.onExit = function(status) { ended('The program has ended (status ' + status + ').'); };
  Module.onAbort = function(what) { ended('The program has stopped on an error: ' + what + '.'); };
  // The end of the program unwinds the browser's callback that was running it; that is no
  // error of the page.
  window.addEventListener('error', function(event) {
    if (event.error && event.error.name === 'ExitStatus') event.preventDefault();
  });
})();
