// The page around the program's window: the canvas laid out to fit the visible page, the
// on-screen keys, fullscreen, and what the page says when the program ends. The driver
// (web_library.js) owns what the canvas shows and the events on it.

// What the program reports: its window's size, its end with its status.
var Module = {
  canvas: document.getElementById('window'),
  print: function(text) { console.log(text); },
  printErr: function(text) { console.error(text); },
};

(function() {
  'use strict';
  var MARGIN = 8;  // the body's margin, and the stage's padding in fullscreen
  var canvas = document.getElementById('window');
  var stage = document.getElementById('stage');
  var keys = document.getElementById('keys');
  var legend = document.getElementById('legend');
  var fullscreenButton = document.getElementById('fullscreen');
  var again = document.getElementById('again');
  // The window's size in window pixels: the markup's until the program opens its window.
  var windowSize = {width: canvas.width, height: canvas.height};

  function fullscreenElement() {
    return document.fullscreenElement || document.webkitFullscreenElement || null;
  }

  // The canvas at the largest scale at which the usage line, the window and its keys fit
  // the visible page without scrolling: 1:1 whenever they fit, smaller when they do not,
  // as large as the screen allows in fullscreen. The legend goes beside the window when
  // there is room, under the keys otherwise.
  function fit() {
    var full = fullscreenElement() === stage;
    var page = document.documentElement;
    stage.classList.remove('beside');
    var box = canvas.getBoundingClientRect();
    var above = box.top + (full ? 0 : window.scrollY);
    var below = keys.getBoundingClientRect().bottom - box.bottom + MARGIN;
    var across = page.clientWidth - 2 * MARGIN;
    var scale = Math.min(full ? Infinity : 1, across / windowSize.width,
                         (page.clientHeight - above - below) / windowSize.height);
    scale = Math.max(scale, 0.1);
    var width = windowSize.width * scale, height = windowSize.height * scale;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    var roomBeside = across - width - 16 >= legend.offsetWidth;
    stage.classList.toggle('beside', !full && roomBeside && legend.offsetHeight <= height);
  }

  Module.onWindowSize = function(width, height) {
    windowSize = {width: width, height: height};
    fit();
  };
  window.addEventListener('resize', fit);
  // The usage line, the status line and the keys change height as their texts change.
  if (typeof ResizeObserver !== 'undefined') {
    var observer = new ResizeObserver(fit);
    [document.getElementById('usage'), document.getElementById('status'), keys].forEach(
        function(element) { observer.observe(element); });
  }
  fit();

  // An on-screen key sends the very events a key of the keyboard sends, press then release,
  // into the driver's listeners. The button never takes the focus, so the keyboard still
  // goes to the program after it.
  Array.prototype.forEach.call(keys.querySelectorAll('button'), function(button) {
    button.addEventListener('mousedown', function(e) { e.preventDefault(); });
    button.addEventListener('click', function() { button.blur(); });
  });
  Array.prototype.forEach.call(keys.querySelectorAll('[data-code]'), function(button) {
    button.addEventListener('click', function() {
      var code = button.getAttribute('data-code');
      ['keydown', 'keyup'].forEach(function(type) {
        window.dispatchEvent(new KeyboardEvent(type, {code: code, key: code, bubbles: true,
                                                      cancelable: true}));
      });
    });
  });

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

  // Once the program has ended, its keys go and a new run can start: loading the page again
  // is a new process, as starting the program again is on a desktop.
  function ended(text) {
    document.getElementById('ended').textContent = text;
    stage.classList.add('ended');
    again.hidden = false;
  }
  again.addEventListener('click', function() { location.reload(); });
  Module.onExit = function(status) { ended('The program has ended (status ' + status + ').'); };
  Module.onAbort = function(what) { ended('The program has stopped on an error: ' + what); };
  // The end of the program unwinds the browser's callback that was running it; that is no
  // error of the page.
  window.addEventListener('error', function(event) {
    if (event.error && event.error.name === 'ExitStatus') event.preventDefault();
  });
})();
