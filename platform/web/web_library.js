// The JavaScript side of the web driver, linked with --js-library. DOM listeners only queue
// what happened; the program takes it from the queue when it pumps its events. The two
// waits (for the next animation frame, for the next event) are the only places where the
// program yields to the browser, through ASYNCIFY.
mergeInto(LibraryManager.library, {
  $webPage: {
    canvas: null,
    windowSize: {width: 0, height: 0},
    gl: null,
    lost: false,
    lossTimer: null,
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

    // What the driver has to say (the context lost or back) goes to the page, which shows
    // and announces it.
    say: function(text) {
      if (Module['onStatus']) Module['onStatus'](text);
    },

    post: function(event) {
      webPage.queue.push(event);
      var waiter = webPage.eventWaiter;
      if (waiter) {
        webPage.eventWaiter = null;
        waiter();
      }
    },

    modifiers: function(e) {
      return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0) | (e.metaKey ? 8 : 0);
    },

    // Client pixels of the window, whatever size the canvas is shown at.
    clientPoint: function(e) {
      var size = webPage.windowSize;
      var rect = webPage.canvas.getBoundingClientRect();
      var sx = rect.width > 0 ? size.width / rect.width : 1;
      var sy = rect.height > 0 ? size.height / rect.height : 1;
      return [Math.floor((e.clientX - rect.left) * sx), Math.floor((e.clientY - rect.top) * sy)];
    },

    // A press and a release at a window pixel, as a click of the left button there gives.
    click: function(x, y) {
      webPage.pointerX = x;
      webPage.pointerY = y;
      webPage.post([1, 0, x, y, 0, 1, 0, '', '']);
      webPage.post([1, 1, x, y, 0, 0, 0, '', '']);
    },

    onPointer: function(phase, e) {
      if (e.pointerType === 'touch') return webPage.onTouch(phase, e);
      // A second pointer on the canvas while the first is down is no pointer of the program's.
      if (!e.isPrimary || phase === 3) return;
      var p = webPage.clientPoint(e);
      webPage.pointerX = p[0];
      webPage.pointerY = p[1];
      if (phase === 0) webPage.pointerId = e.pointerId;
      // The buttons of the message are those held after the event, as on the desktop.
      webPage.post([1, phase, p[0], p[1], e.button, e.buttons, webPage.modifiers(e), '', '']);
      if (phase !== 2) e.preventDefault();
    },

    // A finger places its site when it lifts, as a click at that pixel, and only if it moved
    // at most a few CSS pixels and no second finger joined: the start of a pinch or a pan on
    // the canvas places nothing, and the browser's own zoom and scrolling (which cancel the
    // pointer) stay the user's.
    TOUCH_SLOP: 6,
    onTouch: function(phase, e) {
      var touch = webPage.touch;
      if (phase === 0) {
        if (touch) touch.spoiled = true;
        else webPage.touch = {id: e.pointerId, x: e.clientX, y: e.clientY, spoiled: false};
        return;
      }
      if (!touch || touch.id !== e.pointerId) return;
      var moved = Math.max(Math.abs(e.clientX - touch.x), Math.abs(e.clientY - touch.y));
      if (moved > webPage.TOUCH_SLOP) touch.spoiled = true;
      if (phase === 2) return;
      webPage.touch = null;
      if (phase === 3 || touch.spoiled) return;
      var p = webPage.clientPoint(e);
      webPage.click(p[0], p[1]);
      e.preventDefault();
    },

    onKey: function(down, e) {
      // What is typed into one of the page's fields is the field's (its arrows move its
      // caret or value); Escape, which no field uses, stays the program's.
      var target = e.target;
      if (target && target.closest && target.closest('input, select, textarea') &&
          e.code !== 'Escape') return;
      webPage.post([down ? 2 : 3, webPage.modifiers(e), e.repeat ? 1 : 0, 0, 0, 0, 0,
                    e.code || '', e.key || '']);
      // Only the keys the program acts on are taken from the browser: Tab, Space, Enter and
      // the rest keep moving about the page and working its controls.
      var programs = /^(ArrowLeft|ArrowRight|Escape)$/.test(e.code || '');
      if (programs && !e.ctrlKey && !e.altKey && !e.metaKey) e.preventDefault();
    },

    listen: function() {
      if (webPage.listening) return;
      webPage.listening = true;
      var canvas = webPage.canvas;
      canvas.addEventListener('pointerdown', function(e) { webPage.onPointer(0, e); });
      canvas.addEventListener('pointerup', function(e) { webPage.onPointer(1, e); });
      canvas.addEventListener('pointermove', function(e) { webPage.onPointer(2, e); });
      canvas.addEventListener('pointercancel', function(e) { webPage.onPointer(3, e); });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      window.addEventListener('keydown', function(e) { webPage.onKey(true, e); });
      window.addEventListener('keyup', function(e) { webPage.onKey(false, e); });
      window.addEventListener('focus', function() { webPage.post([4, 1, 0, 0, 0, 0, 0, '', '']); });
      window.addEventListener('blur', function() { webPage.post([4, 0, 0, 0, 0, 0, 0, '', '']); });
    },
  },

  webjs_connect__deps: ['$webPage', '$webFrames', '$webPresent'],
  webjs_connect: function() {
    if (typeof document === 'undefined') return 0;
    webPage.canvas = document.getElementById('window');
    if (!webPage.canvas) return 0;
    webPage.listen();
    // What the page may do for its user: click a window pixel, hold frames back, show the
    // picture through a colour map.
    Module['driver'] = {
      click: webPage.click,
      holdFrames: webFrames.hold,
      stepFrame: webFrames.step,
      setFrameInterval: webFrames.setInterval,
      setColourMap: function(pairs) {
        webPresent.setColourMap(pairs);
        if (webPage.gl && !webPage.lost) webPresent.show(webPage.gl);
      },
    };
    return 1;
  },

  webjs_screen_size__deps: ['$webPage'],
  webjs_screen_size: function(vertical) {
    return vertical ? (window.screen.height | 0) : (window.screen.width | 0);
  },

  // The page lays the canvas out for the window's size (Module.onWindowSize); its drawing
  // buffer then follows the size it is shown at (webPresent.follow).
  webjs_create_window__deps: ['$webPage'],
  webjs_create_window: function(title, width, height) {
    webPage.windowSize = {width: width, height: height};
    var canvas = webPage.canvas;
    canvas.width = width;
    canvas.height = height;
    document.title = UTF8ToString(title);
    if (Module['onWindowSize']) Module['onWindowSize'](width, height);
  },

  webjs_show_window__deps: ['$webPage'],
  webjs_show_window: function(shown) {
    webPage.canvas.style.visibility = shown ? 'visible' : 'hidden';
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
  webjs_create_context__deps: ['$webPage', '$webPresent', '$webBuildDrawing'],
  webjs_create_context: function() {
    var canvas = webPage.canvas;
    var attributes = {antialias: false, alpha: false, depth: true, stencil: false,
                      preserveDrawingBuffer: false, premultipliedAlpha: false};
    var gl = null;
    try {
      gl = canvas.getContext('webgl', attributes) || canvas.getContext('experimental-webgl', attributes);
    } catch (e) {
      gl = null;
    }
    if (!gl) {
      webPage.say('This browser gives the page no WebGL, which the program needs to draw.');
      return 0;
    }
    webPresent.onProblem = webPage.say;
    if (!webBuildDrawing(gl)) return 0;
    canvas.addEventListener('webglcontextlost', function(e) {
      e.preventDefault();
      webPage.lost = true;
      webPage.say('The browser has taken the WebGL drawing away; the program runs on, and ' +
                  'the picture comes back when the browser gives it back.');
      webPage.lossTimer = setTimeout(function() {
        webPage.say('The browser has not given the WebGL drawing back: the program runs on ' +
                    'without a picture. Loading the page again starts a new run.');
      }, 5000);
    });
    canvas.addEventListener('webglcontextrestored', function() {
      clearTimeout(webPage.lossTimer);
      if (!webBuildDrawing(gl)) return;
      webPage.lost = false;
      webPage.say('The browser has given the WebGL drawing back.');
    });
    webPresent.follow(canvas, function() {
      if (!webPage.lost) webPresent.show(gl);
    });
    return 1;
  },

  // The frame's program, buffer and uniform, and the picture it is drawn into: for a new
  // context and again for a restored one. False, with the status line saying why, when the
  // browser cannot build them.
  $webBuildDrawing__deps: ['$webPage', '$webPresent', '$webLinkProgram'],
  $webBuildDrawing: function(gl) {
    var program = webLinkProgram(gl,
        'attribute vec2 position; attribute vec4 colour; attribute float size;' +
        'uniform vec2 scale; varying vec4 shade;' +
        'void main() { gl_Position = vec4(position * scale - 1.0, 0.0, 1.0);' +
        ' gl_PointSize = size; shade = colour; }',
        'precision mediump float; varying vec4 shade; void main() { gl_FragColor = shade; }',
        {position: 0, colour: 1, size: 2});
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) {
      webPage.say('The browser could not set up WebGL drawing: ' + gl.getProgramInfoLog(program));
      return 0;
    }
    webPage.gl = gl;
    webPage.program = program;
    webPage.uniformScale = gl.getUniformLocation(program, 'scale');
    webPage.buffer = gl.createBuffer();
    var size = webPage.windowSize;
    var problem = webPresent.build(gl, size.width, size.height);
    if (problem) {
      webPage.say('The browser could not set up WebGL drawing: ' + problem);
      return 0;
    }
    return 1;
  },

  // Draws one frame: the clear, then each run with one call. Vertices are 16 bytes: x, y
  // (float), r, g, b, a (bytes), size (float).
  webjs_draw__deps: ['$webPage', '$webPresent'],
  webjs_draw: function(cleared, red, green, blue, alpha, draws, drawCount, vertices, vertexCount) {
    var gl = webPage.gl;
    if (!gl || webPage.lost) return;
    var size = webPage.windowSize;
    webPresent.bind(gl);
    gl.viewport(0, 0, size.width, size.height);
    if (cleared) {
      gl.clearColor(red, green, blue, alpha);
      gl.clear(gl.COLOR_BUFFER_BIT);
    }
    if (drawCount === 0) return;
    gl.useProgram(webPage.program);
    gl.uniform2f(webPage.uniformScale, 2 / size.width, 2 / size.height);
    gl.bindBuffer(gl.ARRAY_BUFFER, webPage.buffer);
    gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(vertices, vertices + vertexCount * 16),
                  gl.STREAM_DRAW);
    gl.enableVertexAttribArray(0);
    gl.enableVertexAttribArray(1);
    gl.enableVertexAttribArray(2);
    gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 16, 0);
    gl.vertexAttribPointer(1, 4, gl.UNSIGNED_BYTE, true, 16, 8);
    gl.vertexAttribPointer(2, 1, gl.FLOAT, false, 16, 12);
    var modes = [gl.POINTS, gl.LINES, gl.TRIANGLES];
    for (var i = 0; i < drawCount; ++i) {
      var at = (draws >> 2) + i * 3;
      gl.drawArrays(modes[HEAPU32[at]], HEAPU32[at + 1], HEAPU32[at + 2]);
    }
  },

  // Shows the frame just drawn on the page.
  webjs_present__deps: ['$webPage', '$webPresent'],
  webjs_present: function() {
    if (webPage.gl && !webPage.lost) webPresent.show(webPage.gl);
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
  $webFrames__deps: ['$webPresent'],
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

  webjs_wait_for_event__deps: ['$webPage'],
  webjs_wait_for_event: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      if (webPage.queue.length > 0) {
        wakeUp(0);
        return;
      }
      webPage.eventWaiter = function() { wakeUp(0); };
    });
  },

  // Takes the oldest queued event into `out` (seven ints, then the key's code and value as
  // two strings of `textSize` bytes each); 0 when none waits.
  webjs_next_event__deps: ['$webPage'],
  webjs_next_event: function(out, textSize) {
    var event = webPage.queue.shift();
    if (!event) return 0;
    for (var i = 0; i < 7; ++i) HEAP32[(out >> 2) + i] = event[i];
    stringToUTF8(event[7], out + 28, textSize);
    stringToUTF8(event[8], out + 28 + textSize, textSize);
    return 1;
  },

  webjs_set_capture__deps: ['$webPage'],
  webjs_set_capture: function() {
    if (webPage.pointerId === null) return 0;
    try {
      webPage.canvas.setPointerCapture(webPage.pointerId);
    } catch (e) {
      return 0;  // the pointer is no longer pressed on the canvas
    }
    return 1;
  },

  webjs_release_capture__deps: ['$webPage'],
  webjs_release_capture: function() {
    if (webPage.pointerId === null) return;
    try {
      if (webPage.canvas.hasPointerCapture(webPage.pointerId))
        webPage.canvas.releasePointerCapture(webPage.pointerId);
    } catch (e) {
    }
  },

  webjs_pointer_position__deps: ['$webPage'],
  webjs_pointer_position: function(vertical) {
    return vertical ? webPage.pointerY : webPage.pointerX;
  },

  // The browser's own modal dialog; it blocks the page until it is dismissed.
  webjs_message_box__deps: ['$webPage'],
  webjs_message_box: function(caption, text) {
    window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text));
  },
});
