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

    say: function(text) {
      var line = document.getElementById('status');
      if (line) line.textContent = text;
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

    onPointer: function(phase, e) {
      // A second finger on the canvas while the first is down is no pointer of the program's.
      if (!e.isPrimary) return;
      var p = webPage.clientPoint(e);
      webPage.pointerX = p[0];
      webPage.pointerY = p[1];
      if (phase === 0) webPage.pointerId = e.pointerId;
      // The buttons of the message are those held after the event, as on the desktop.
      webPage.post([1, phase, p[0], p[1], e.button, e.buttons, webPage.modifiers(e), '', '']);
      if (phase !== 2) e.preventDefault();
    },

    onKey: function(down, e) {
      webPage.post([down ? 2 : 3, webPage.modifiers(e), e.repeat ? 1 : 0, 0, 0, 0, 0,
                    e.code || '', e.key || '']);
      // Keys that would move about the page (arrows, space, paging, Tab) are the program's
      // only; the rest (function keys, shortcuts with Control, Alt or Meta) stay the
      // browser's as well.
      var moving = /^(Arrow|Page|Home$|End$|Space$|Tab$|Backspace$)/.test(e.code || '');
      if (moving && !e.ctrlKey && !e.altKey && !e.metaKey) e.preventDefault();
    },

    listen: function() {
      if (webPage.listening) return;
      webPage.listening = true;
      var canvas = webPage.canvas;
      canvas.addEventListener('pointerdown', function(e) { webPage.onPointer(0, e); });
      canvas.addEventListener('pointerup', function(e) { webPage.onPointer(1, e); });
      canvas.addEventListener('pointermove', function(e) { webPage.onPointer(2, e); });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      window.addEventListener('keydown', function(e) { webPage.onKey(true, e); });
      window.addEventListener('keyup', function(e) { webPage.onKey(false, e); });
      window.addEventListener('focus', function() { webPage.post([4, 1, 0, 0, 0, 0, 0, '', '']); });
      window.addEventListener('blur', function() { webPage.post([4, 0, 0, 0, 0, 0, 0, '', '']); });
    },
  },

  webjs_connect__deps: ['$webPage'],
  webjs_connect: function() {
    if (typeof document === 'undefined') return 0;
    webPage.canvas = document.getElementById('window');
    if (!webPage.canvas) return 0;
    webPage.listen();
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
      webPage.say('');
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

  // The buffer swap's wait: one frame per display refresh.
  webjs_wait_for_frame__deps: ['$webPage'],
  webjs_wait_for_frame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      requestAnimationFrame(function() { wakeUp(0); });
    });
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
