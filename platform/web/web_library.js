// The JavaScript side of the web driver, linked with --js-library. DOM listeners only queue
// what happened; the program takes it from the queue when it pumps its events. The two
// waits (for the next animation frame, for the next event) are the only places where the
// program yields to the browser, through ASYNCIFY.
//
// The driver owns the canvas and nothing else of the page. The page and the driver meet
// through `Module` alone:
//   the page gives  canvas                        the window's client area;
//                   onWindow(title, width, height) the program has opened its window;
//                   onStatus(text)                 what the driver has to say (the WebGL
//                                                  drawing lost, back, missing);
//                   onSummary(summary)             what the program shows, with each frame
//                                                  (the fields of webjs_summary);
//                   onExit(status), onAbort(what)  Emscripten's: the program has ended;
//   the driver gives, once the program runs, `driver`: what the page may do for its user,
//                   click(x, y)                    a left click at a window pixel;
//                   holdFrames(on), stepFrame(), setFrameInterval(refreshes)
//                                                  the frames held back, stepped, slowed;
//                   setColourMap(pairs)            the picture shown through a colour map.
mergeInto(LibraryManager.library, {
  $webDriver: {
    canvas: null,
    windowSize: {width: 0, height: 0},
    gl: null,
    lost: false,
    lossTimer: null,
    built: false,  // the drawing's objects (webBuildDrawing) in the current context
    broken: false,  // they could not be built there
    // The next frame must be drawn even if it repeats the last: what showed that one is
    // gone (a restored context, a resized buffer) or goes elsewhere now (frames held, a
    // colour map), or a test reads it.
    mustDraw: false,
    // Whether anything has been drawn. Until the program draws something other than black,
    // the page's canvas, black from the start, already shows it, and nothing is drawn or
    // shown: the browser sets up the compositing of a WebGL canvas (a tenth of a second on a
    // phone's processor) only when there is a picture to show.
    drawn: false,
    // Something drawn is no longer shown, or the next frame goes elsewhere.
    pictureGone: function() { webDriver.mustDraw = webDriver.mustDraw || webDriver.drawn; },
    queue: [],
    eventWaiter: null,
    pointerId: null,
    pointerX: 0,
    pointerY: 0,
    buffer: null,
    program: null,
    uniformScale: null,
    listening: false,

    touch: null,  // the finger on the canvas: {id, x, y, spoiled}
    CANCELLED: -1,  // a pointer's phase when the browser took it over (a pan, a zoom)

    // What the driver has to say (the context lost or back) goes to the page, which shows
    // and announces it.
    say: function(text) {
      if (Module['onStatus']) Module['onStatus'](text);
    },

    post: function(event) {
      webDriver.queue.push(event);
      var waiter = webDriver.eventWaiter;
      if (waiter) {
        webDriver.eventWaiter = null;
        waiter();
      }
    },

    modifiers: function(e) {
      return (e.shiftKey ? {{{ WEB_MODIFIER_SHIFT }}} : 0) | (e.ctrlKey ? {{{ WEB_MODIFIER_CONTROL }}} : 0) |
             (e.altKey ? {{{ WEB_MODIFIER_ALT }}} : 0) | (e.metaKey ? {{{ WEB_MODIFIER_META }}} : 0);
    },

    // Client pixels of the window, whatever size the canvas is shown at.
    clientPoint: function(e) {
      var size = webDriver.windowSize;
      var rect = webDriver.canvas.getBoundingClientRect();
      var sx = rect.width > 0 ? size.width / rect.width : 1;
      var sy = rect.height > 0 ? size.height / rect.height : 1;
      return [Math.floor((e.clientX - rect.left) * sx), Math.floor((e.clientY - rect.top) * sy)];
    },

    // A press and a release at a window pixel, as a click of the left button there gives.
    click: function(x, y) {
      webDriver.pointerX = x;
      webDriver.pointerY = y;
      webDriver.post([{{{ WEB_EVENT_POINTER }}}, {{{ WEB_POINTER_PRESS }}}, x, y, 0, 1, 0, '', '']);
      webDriver.post([{{{ WEB_EVENT_POINTER }}}, {{{ WEB_POINTER_RELEASE }}}, x, y, 0, 0, 0, '', '']);
    },

    onPointer: function(phase, e) {
      if (e.pointerType === 'touch') return webDriver.onTouch(phase, e);
      // A second pointer on the canvas while the first is down is no pointer of the program's.
      if (!e.isPrimary || phase === webDriver.CANCELLED) return;
      var p = webDriver.clientPoint(e);
      webDriver.pointerX = p[0];
      webDriver.pointerY = p[1];
      if (phase === {{{ WEB_POINTER_PRESS }}}) webDriver.pointerId = e.pointerId;
      // The buttons of the message are those held after the event, as on the desktop.
      webDriver.post([{{{ WEB_EVENT_POINTER }}}, phase, p[0], p[1], e.button, e.buttons,
                      webDriver.modifiers(e), '', '']);
      if (phase !== {{{ WEB_POINTER_MOVE }}}) e.preventDefault();
    },

    // A finger places its site when it lifts, as a click at that pixel, and only if it moved
    // at most a few CSS pixels and no second finger joined: the start of a pinch or a pan on
    // the canvas places nothing, and the browser's own zoom and scrolling (which cancel the
    // pointer) stay the user's.
    TOUCH_SLOP: 6,
    onTouch: function(phase, e) {
      var touch = webDriver.touch;
      if (phase === {{{ WEB_POINTER_PRESS }}}) {
        if (touch) touch.spoiled = true;
        else webDriver.touch = {id: e.pointerId, x: e.clientX, y: e.clientY, spoiled: false};
        return;
      }
      if (!touch || touch.id !== e.pointerId) return;
      var moved = Math.max(Math.abs(e.clientX - touch.x), Math.abs(e.clientY - touch.y));
      if (moved > webDriver.TOUCH_SLOP) touch.spoiled = true;
      if (phase === {{{ WEB_POINTER_MOVE }}}) return;
      webDriver.touch = null;
      if (phase === webDriver.CANCELLED || touch.spoiled) return;
      var p = webDriver.clientPoint(e);
      webDriver.click(p[0], p[1]);
      e.preventDefault();
    },

    onKey: function(down, e) {
      // What is typed into one of the page's fields is the field's (its arrows move its
      // caret or value); Escape, which no field uses, stays the program's.
      var target = e.target;
      if (target && target.closest && target.closest('input, select, textarea') &&
          e.code !== 'Escape') return;
      webDriver.post([down ? {{{ WEB_EVENT_KEY_DOWN }}} : {{{ WEB_EVENT_KEY_UP }}},
                      webDriver.modifiers(e), e.repeat ? 1 : 0, 0, 0, 0, 0,
                    e.code || '', e.key || '']);
      // Only the keys the program acts on are taken from the browser: Tab, Space, Enter and
      // the rest keep moving about the page and working its controls.
      var programs = /^(ArrowLeft|ArrowRight|Escape)$/.test(e.code || '');
      if (programs && !e.ctrlKey && !e.altKey && !e.metaKey) e.preventDefault();
    },

    listen: function() {
      if (webDriver.listening) return;
      webDriver.listening = true;
      var canvas = webDriver.canvas;
      var phases = {pointerdown: {{{ WEB_POINTER_PRESS }}}, pointerup: {{{ WEB_POINTER_RELEASE }}},
                    pointermove: {{{ WEB_POINTER_MOVE }}}, pointercancel: webDriver.CANCELLED};
      Object.keys(phases).forEach(function(type) {
        canvas.addEventListener(type, function(e) { webDriver.onPointer(phases[type], e); });
      });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      window.addEventListener('keydown', function(e) { webDriver.onKey(true, e); });
      window.addEventListener('keyup', function(e) { webDriver.onKey(false, e); });
      window.addEventListener('focus', function() {
        webDriver.post([{{{ WEB_EVENT_FOCUS }}}, 1, 0, 0, 0, 0, 0, '', '']);
      });
      window.addEventListener('blur', function() {
        webDriver.post([{{{ WEB_EVENT_FOCUS }}}, 0, 0, 0, 0, 0, 0, '', '']);
      });
    },
  },

  webjs_connect__deps: ['$webDriver', '$webFrames', '$webPresent'],
  webjs_connect: function() {
    if (typeof document === 'undefined') return 0;
    webDriver.canvas = Module['canvas'] || null;
    if (!webDriver.canvas) return 0;
    webDriver.listen();
    // What the page may do for its user: click a window pixel, hold frames back, show the
    // picture through a colour map.
    Module['driver'] = {
      click: webDriver.click,
      holdFrames: webFrames.hold,
      stepFrame: webFrames.step,
      setFrameInterval: webFrames.setInterval,
      setColourMap: function(pairs) {
        webPresent.setColourMap(pairs);
        webDriver.pictureGone();
        if (webDriver.gl && !webDriver.lost && webDriver.drawn) webPresent.show(webDriver.gl);
      },
    };
    return 1;
  },

  webjs_screen_size__deps: ['$webDriver'],
  webjs_screen_size: function(vertical) {
    return vertical ? (window.screen.height | 0) : (window.screen.width | 0);
  },

  // The page lays the canvas out for the window's size and takes its title (Module.onWindow);
  // the canvas's drawing buffer then follows the size it is shown at (webPresent.follow).
  webjs_create_window__deps: ['$webDriver'],
  webjs_create_window: function(title, width, height) {
    webDriver.windowSize = {width: width, height: height};
    webDriver.pictureGone();
    var canvas = webDriver.canvas;
    canvas.width = width;
    canvas.height = height;
    if (Module['onWindow']) Module['onWindow'](UTF8ToString(title), width, height);
  },

  webjs_show_window__deps: ['$webDriver'],
  webjs_show_window: function(shown) {
    webDriver.canvas.style.visibility = shown ? 'visible' : 'hidden';
  },

  webjs_has_focus: function() {
    return document.hasFocus() ? 1 : 0;
  },

  // The one format's WebGL context: no antialiasing (desktop GL's aliased rules), no alpha
  // in the page's picture. Null without WebGL: the page says so.
  //
  // A context the browser takes away (after a sleep, a driver reset, too many contexts) is
  // waited for: the page prevents the loss's default, without which the browser would never
  // give it back; the program runs on and its frames are dropped meanwhile; once it is back,
  // its objects are built again, and the next frame draws the whole picture as every frame
  // does. The status line says what is going on while it is away.
  webjs_create_context__deps: ['$webDriver', '$webPresent'],
  webjs_create_context: function() {
    var canvas = webDriver.canvas;
    var attributes = {antialias: false, alpha: false, depth: true, stencil: false,
                      preserveDrawingBuffer: false, premultipliedAlpha: false};
    var gl = null;
    try {
      gl = canvas.getContext('webgl', attributes) || canvas.getContext('experimental-webgl', attributes);
    } catch (e) {
      gl = null;
    }
    if (!gl) {
      webDriver.say('This browser gives the page no WebGL, which the program needs to draw.');
      return 0;
    }
    webPresent.onProblem = webDriver.say;
    webDriver.gl = gl;
    canvas.addEventListener('webglcontextlost', function(e) {
      e.preventDefault();
      webDriver.lost = true;
      webDriver.say('The browser has taken the WebGL drawing away; the program runs on, and ' +
                  'the picture comes back when the browser gives it back.');
      webDriver.lossTimer = setTimeout(function() {
        webDriver.say('The browser has not given the WebGL drawing back: the program runs on ' +
                    'without a picture. Loading the page again starts a new run.');
      }, 5000);
    });
    canvas.addEventListener('webglcontextrestored', function() {
      clearTimeout(webDriver.lossTimer);
      webDriver.built = webDriver.broken = false;  // the old objects went with the old context
      webDriver.pictureGone();
      webDriver.lost = false;
      webDriver.say('The browser has given the WebGL drawing back.');
    });
    webPresent.follow(canvas, function() {
      webDriver.pictureGone();
      if (!webDriver.lost && webDriver.drawn) webPresent.show(gl);
    });
    return 1;
  },

  // The frame's program, buffer and uniform, and the picture it is drawn into: before the
  // first frame drawn in a new or restored context (not while the page loads, since nothing
  // is drawn until there is something to show). False, with the status line saying why, when
  // the browser cannot build them; the program then runs on without a picture.
  $webBuildDrawing__deps: ['$webDriver', '$webPresent', '$webLinkProgram'],
  $webBuildDrawing: function(gl) {
    if (webDriver.built || webDriver.broken) return webDriver.built;
    webDriver.broken = true;  // said once
    var program = webLinkProgram(gl,
        'attribute vec2 position; attribute vec4 colour; attribute float size;' +
        'uniform vec2 scale; varying vec4 shade;' +
        'void main() { gl_Position = vec4(position * scale - 1.0, 0.0, 1.0);' +
        ' gl_PointSize = size; shade = colour; }',
        'precision mediump float; varying vec4 shade; void main() { gl_FragColor = shade; }',
        {position: {{{ WEB_ATTRIBUTE_POSITION }}}, colour: {{{ WEB_ATTRIBUTE_COLOUR }}},
         size: {{{ WEB_ATTRIBUTE_POINT_SIZE }}}});
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
      webDriver.say('The browser could not set up WebGL drawing: ' + gl.getProgramInfoLog(program));
      return 0;
    }
    webDriver.program = program;
    webDriver.uniformScale = gl.getUniformLocation(program, 'scale');
    webDriver.buffer = gl.createBuffer();
    var size = webDriver.windowSize;
    var problem = webPresent.build(gl, size.width, size.height);
    if (problem) {
      webDriver.say('The browser could not set up WebGL drawing: ' + problem);
      return 0;
    }
    webDriver.broken = false;
    webDriver.built = true;
    return 1;
  },

  // Draws one frame: the clear, then each run with one call. The vertices and the draws are
  // records of web_contract.h.
  webjs_draw__deps: ['$webDriver', '$webPresent', '$webBuildDrawing'],
  webjs_draw: function(repeat, cleared, red, green, blue, alpha, draws, drawCount, vertices,
                       vertexCount) {
    var gl = webDriver.gl;
    if (!gl || webDriver.lost) return 0;
    var black = cleared && !red && !green && !blue && drawCount === 0;
    if (!webDriver.mustDraw && (repeat || (black && !webDriver.drawn))) return 0;
    if (!webBuildDrawing(gl)) return 0;
    webDriver.mustDraw = false;
    webDriver.drawn = true;
    var size = webDriver.windowSize;
    webPresent.bind(gl);
    gl.viewport(0, 0, size.width, size.height);
    if (cleared) {
      gl.clearColor(red, green, blue, alpha);
      gl.clear(gl.COLOR_BUFFER_BIT);
    }
    if (drawCount === 0) return 1;
    gl.useProgram(webDriver.program);
    gl.uniform2f(webDriver.uniformScale, 2 / size.width, 2 / size.height);
    gl.bindBuffer(gl.ARRAY_BUFFER, webDriver.buffer);
    var stride = {{{ WEB_VERTEX_SIZE }}};
    gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(vertices, vertices + vertexCount * stride),
                  gl.STREAM_DRAW);
    gl.enableVertexAttribArray({{{ WEB_ATTRIBUTE_POSITION }}});
    gl.enableVertexAttribArray({{{ WEB_ATTRIBUTE_COLOUR }}});
    gl.enableVertexAttribArray({{{ WEB_ATTRIBUTE_POINT_SIZE }}});
    gl.vertexAttribPointer({{{ WEB_ATTRIBUTE_POSITION }}}, 2, gl.FLOAT, false, stride,
                           {{{ WEB_VERTEX_POSITION_OFFSET }}});
    gl.vertexAttribPointer({{{ WEB_ATTRIBUTE_COLOUR }}}, 4, gl.UNSIGNED_BYTE, true, stride,
                           {{{ WEB_VERTEX_COLOUR_OFFSET }}});
    gl.vertexAttribPointer({{{ WEB_ATTRIBUTE_POINT_SIZE }}}, 1, gl.FLOAT, false, stride,
                           {{{ WEB_VERTEX_POINT_SIZE_OFFSET }}});
    var modes = [];
    modes[{{{ WEB_DRAW_POINTS }}}] = gl.POINTS;
    modes[{{{ WEB_DRAW_LINES }}}] = gl.LINES;
    modes[{{{ WEB_DRAW_TRIANGLES }}}] = gl.TRIANGLES;
    for (var i = 0; i < drawCount; ++i) {
      var at = (draws >> 2) + i * {{{ WEB_DRAW_WORDS }}};
      gl.drawArrays(modes[HEAPU32[at]], HEAPU32[at + 1], HEAPU32[at + 2]);
    }
    return 1;
  },

  // Shows the frame just drawn on the page.
  webjs_present__deps: ['$webDriver', '$webPresent'],
  webjs_present: function() {
    if (webDriver.gl && !webDriver.lost) webPresent.show(webDriver.gl);
  },

  // The buffer swap's wait: one frame per display refresh, unless the page holds frames back.
  webjs_wait_for_frame__deps: ['$webFrames'],
  webjs_wait_for_frame: function() {
    return Asyncify.handleSleep(function(wakeUp) { webFrames.wait(wakeUp); });
  },

  // The page may hold the program's frames back as a browser holds a hidden tab's: the swap
  // simply returns later, and the program sees nothing new. Held, a frame goes on only when
  // stepped; otherwise one goes on every `interval` display refreshes. At most one refresh
  // is asked for at a time, so that no refresh lets two frames through.
  $webFrames__deps: ['$webDriver', '$webPresent'],
  $webFrames: {
    held: false,
    interval: 1,
    refreshes: 0,
    steps: 0,
    asked: false,
    wake: null,

    wait: function(wakeUp) {
      webFrames.wake = wakeUp;
      webFrames.ask();
    },

    ask: function() {
      if (webFrames.asked || !webFrames.wake) return;
      webFrames.asked = true;
      requestAnimationFrame(webFrames.refresh);
    },

    refresh: function() {
      var self = webFrames;
      self.asked = false;
      if (!self.wake) return;
      if (self.held) {
        if (self.steps === 0) return;  // asked again by a step or the end of the hold
        --self.steps;
      } else if (++self.refreshes < self.interval) {
        self.ask();
        return;
      }
      self.refreshes = 0;
      var wake = self.wake;
      self.wake = null;
      wake(0);
    },

    // Held from the program's next frame on, which is drawn into the kept picture, so that a
    // held frame can be shown again (another size, another colour map).
    hold: function(on) {
      if (on === webFrames.held) return;
      webFrames.held = on;
      webFrames.steps = on ? 1 : 0;
      webPresent.keepPicture = on;
      webDriver.pictureGone();
      webFrames.ask();
    },

    step: function() {
      if (!webFrames.held) return;
      ++webFrames.steps;
      webFrames.ask();
    },

    setInterval: function(refreshes) {
      webFrames.interval = Math.max(1, refreshes | 0);
      webFrames.refreshes = 0;
    },
  },

  // The program's summary of what it shows, with each frame, for the page to describe.
  webjs_summary: function(sites, siteLimit, lastSiteX, lastSiteY, sweepStarted, sweepRow,
                          windowRows, finished, delaunayOn, delaunayShown) {
    if (!Module['onSummary']) return;
    Module['onSummary']({sites: sites, siteLimit: siteLimit, lastSiteX: lastSiteX,
                         lastSiteY: lastSiteY, sweepStarted: sweepStarted !== 0,
                         sweepRow: sweepRow, windowRows: windowRows, finished: finished !== 0,
                         delaunayOn: delaunayOn !== 0, delaunayShown: delaunayShown !== 0});
  },

  webjs_wait_for_event__deps: ['$webDriver'],
  webjs_wait_for_event: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      if (webDriver.queue.length > 0) {
        wakeUp(0);
        return;
      }
      webDriver.eventWaiter = function() { wakeUp(0); };
    });
  },

  // Takes the oldest queued event into the record at `out` (web_contract.h); 0 when none
  // waits.
  webjs_next_event__deps: ['$webDriver'],
  webjs_next_event: function(out) {
    var event = webDriver.queue.shift();
    if (!event) return 0;
    for (var i = 0; i < {{{ WEB_EVENT_INTS }}}; ++i) HEAP32[(out >> 2) + i] = event[i];
    stringToUTF8(event[{{{ WEB_EVENT_INTS }}}], out + {{{ WEB_EVENT_CODE_OFFSET }}},
                 {{{ WEB_EVENT_TEXT_SIZE }}});
    stringToUTF8(event[{{{ WEB_EVENT_INTS }}} + 1], out + {{{ WEB_EVENT_KEY_OFFSET }}},
                 {{{ WEB_EVENT_TEXT_SIZE }}});
    return 1;
  },

  webjs_set_capture__deps: ['$webDriver'],
  webjs_set_capture: function() {
    if (webDriver.pointerId === null) return 0;
    try {
      webDriver.canvas.setPointerCapture(webDriver.pointerId);
    } catch (e) {
      return 0;  // the pointer is no longer pressed on the canvas
    }
    return 1;
  },

  webjs_release_capture__deps: ['$webDriver'],
  webjs_release_capture: function() {
    if (webDriver.pointerId === null) return;
    try {
      if (webDriver.canvas.hasPointerCapture(webDriver.pointerId))
        webDriver.canvas.releasePointerCapture(webDriver.pointerId);
    } catch (e) {
    }
  },

  webjs_pointer_position__deps: ['$webDriver'],
  webjs_pointer_position: function(vertical) {
    return vertical ? webDriver.pointerY : webDriver.pointerX;
  },

  // The browser's own modal dialog; it blocks the page until it is dismissed.
  webjs_message_box__deps: ['$webDriver'],
  webjs_message_box: function(caption, text) {
    window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text));
  },
});
