// How the window's picture reaches the screen. The canvas's drawing buffer has the size of
// the canvas on the screen in device pixels. Where that is the window's size, the program
// draws straight into it. Elsewhere the program draws into a picture of the window's own
// size (one pixel per window pixel, whatever the page does), kept in a framebuffer object,
// and each swap draws the picture into the drawing buffer through a filter of our own.
// Chromium scales a canvas that CSS shows smaller or larger bilinearly from its drawing
// buffer, without mipmaps: below half size that drops columns and rows of the window (at
// 0.4 every fifth: 1-pixel lines vanish), and at a device pixel ratio of 1.25 it blurs every
// line. The filter here: shown smaller, each device pixel takes the brightest window pixel it covers,
// so every line and dot stays visible in its own colour; shown larger, the area-weighted
// average of the window pixels it covers, so each window pixel is a sharp block whose
// edges blend over at most one device pixel.
mergeInto(LibraryManager.library, {
  // A program of the two shaders, its attributes at the locations given ({name: location});
  // whether it linked is for the caller to ask.
  $webLinkProgram: function(gl, vertexSource, fragmentSource, attributes) {
    var program = gl.createProgram();
    [[gl.VERTEX_SHADER, vertexSource], [gl.FRAGMENT_SHADER, fragmentSource]].forEach(
        function(shader) {
          var made = gl.createShader(shader[0]);
          gl.shaderSource(made, shader[1]);
          gl.compileShader(made);
          gl.attachShader(program, made);
        });
    for (var name in attributes) gl.bindAttribLocation(program, attributes[name], name);
    gl.linkProgram(program);
    return program;
  },

  $webPresent__deps: ['$webLinkProgram'],
  $webPresent: {
    texture: null,
    framebuffer: null,
    filters: null,  // shown larger; smaller down to 1/2; smaller down to 1/4
    corners: null,
    width: 0,
    height: 0,

    // Shown larger, a device pixel lies within one window pixel or across one edge of it on
    // each axis, and the area-weighted average is what bilinear filtering gives at the right
    // point: one fetch. Shown smaller, a device pixel covers at most 3 window pixels a side
    // down to a scale of 1/2, at most 5 down to 1/4: so many fetches, unrolled, without
    // branches, the window pixels beyond the device pixel's edges not taken. (A software
    // renderer runs that several times faster than loops, and runs both sides of a branch.)
    filterSources: function() {
      var head = [
        '#ifdef GL_FRAGMENT_PRECISION_HIGH',
        'precision highp float;',
        '#else',
        'precision mediump float;',
        '#endif',
        'uniform sampler2D picture; uniform vec2 windowSize; uniform vec2 footprint;',
        'vec2 to; vec4 brightest; float light;',
        // The window pixel whose lower left corner is `at`, if it is covered and brighter.
        'void take(vec2 at) {',
        '  vec4 c = texture2D(picture, (at + 0.5) / windowSize);',
        '  float covered = (1.0 - step(to.x, at.x)) * (1.0 - step(to.y, at.y));',
        '  float k = mix(-1.0, c.r + c.g + c.b, covered);',
        '  brightest = mix(brightest, c, step(light, k));',
        '  light = max(light, k);',
        '}',
        'void main() {',
        '  vec2 from = (gl_FragCoord.xy - 0.5) * footprint, first = floor(from);',
        '  to = from + footprint;'];
      var larger = head.concat([
        '  vec2 edge = floor(to), beyond = clamp((to - edge) / footprint, 0.0, 1.0);',
        '  gl_FragColor = texture2D(picture, (edge - 0.5 + beyond) / windowSize);',
        '}']);
      var smaller = function(side) {
        var lines = head.concat(['  brightest = vec4(0.0);', '  light = -2.0;']);
        for (var j = 0; j < side; ++j)
          for (var i = 0; i < side; ++i) lines.push('  take(first + vec2(' + i + ', ' + j + '));');
        return lines.concat(['  gl_FragColor = brightest;', '}']);
      };
      return [larger, smaller(3), smaller(5)].map(function(lines) { return lines.join('\n'); });
    },

    // The picture, its framebuffer and the filters, for a new or a restored context; the
    // empty string, or what failed.
    build: function(gl, width, height) {
      var self = webPresent;
      self.width = width;
      self.height = height;
      self.texture = gl.createTexture();
      gl.bindTexture(gl.TEXTURE_2D, self.texture);
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, width, height, 0, gl.RGBA, gl.UNSIGNED_BYTE, null);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
      self.framebuffer = gl.createFramebuffer();
      gl.bindFramebuffer(gl.FRAMEBUFFER, self.framebuffer);
      gl.framebufferTexture2D(gl.FRAMEBUFFER, gl.COLOR_ATTACHMENT0, gl.TEXTURE_2D, self.texture, 0);
      var complete = gl.checkFramebufferStatus(gl.FRAMEBUFFER) === gl.FRAMEBUFFER_COMPLETE;
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      if (!complete) return 'the window\'s picture has no framebuffer';

      self.filters = [];
      var sources = self.filterSources();
      for (var n = 0; n < sources.length; ++n) {
        // The corners at location 3, which the frame's drawing leaves alone.
        var program = webLinkProgram(gl,
            'attribute vec2 corner; void main() { gl_Position = vec4(corner, 0.0, 1.0); }',
            sources[n], {corner: 3});
        if (!gl.getProgramParameter(program, gl.LINK_STATUS))
          return 'the page\'s filter: ' + gl.getProgramInfoLog(program);
        self.filters.push({program: program,
                           footprint: gl.getUniformLocation(program, 'footprint'),
                           windowSize: gl.getUniformLocation(program, 'windowSize')});
      }
      self.corners = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, self.corners);
      var corners = new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]);
      gl.bufferData(gl.ARRAY_BUFFER, corners, gl.STATIC_DRAW);
      return '';
    },

    // Whether the program draws straight into the drawing buffer. (The browser may give a
    // drawing buffer smaller than the canvas asks for, a very large one on a big screen.)
    direct: function(gl) {
      return gl.drawingBufferWidth === webPresent.width &&
             gl.drawingBufferHeight === webPresent.height;
    },

    // Where the program's drawing goes.
    bind: function(gl) {
      gl.bindFramebuffer(gl.FRAMEBUFFER, webPresent.direct(gl) ? null : webPresent.framebuffer);
    },

    // The picture drawn into the canvas's drawing buffer through the filter for its scale.
    show: function(gl) {
      var self = webPresent;
      if (!self.filters || self.direct(gl)) return;
      var width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
      var across = self.width / width, up = self.height / height;
      var most = Math.max(across, up);
      var filter = self.filters[most <= 1 ? 0 : most <= 2 ? 1 : 2];
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      gl.viewport(0, 0, width, height);
      gl.useProgram(filter.program);
      gl.activeTexture(gl.TEXTURE0);
      gl.bindTexture(gl.TEXTURE_2D, self.texture);
      // Bilinear for the one fetch shown larger; shown smaller, the fetches are at the
      // window pixels' centres, where the nearest is the same and costs less.
      var sampling = most <= 1 ? gl.LINEAR : gl.NEAREST;
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, sampling);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, sampling);
      gl.uniform2f(filter.windowSize, self.width, self.height);
      gl.uniform2f(filter.footprint, across, up);
      gl.bindBuffer(gl.ARRAY_BUFFER, self.corners);
      gl.enableVertexAttribArray(3);
      gl.vertexAttribPointer(3, 2, gl.FLOAT, false, 8, 0);
      gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
      gl.disableVertexAttribArray(3);
    },

    // The drawing buffer follows the canvas's size on the screen in device pixels, which the
    // browser reports exactly where it can (so that no device pixel is resampled); `changed`
    // runs after each change, when the new buffer is still empty.
    follow: function(canvas, changed) {
      if (typeof ResizeObserver === 'undefined') return;
      var observer = new ResizeObserver(function(entries) {
        var entry = entries[entries.length - 1];
        var box = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
        var width = box ? box.inlineSize : Math.round(entry.contentRect.width * devicePixelRatio);
        var height = box ? box.blockSize : Math.round(entry.contentRect.height * devicePixelRatio);
        if (width < 1 || height < 1 || (width === canvas.width && height === canvas.height)) return;
        canvas.width = width;
        canvas.height = height;
        changed();
      });
      try {
        observer.observe(canvas, {box: 'device-pixel-content-box'});
      } catch (e) {
        observer.observe(canvas);  // a browser that does not report device pixels
      }
    },
  },
});
