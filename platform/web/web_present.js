// How the window's picture reaches the screen. The canvas's drawing buffer has the size of
// the canvas on the screen in device pixels. Where that is the window's size, the program
// draws straight into it. Elsewhere the program draws into a picture of the window's own
// size (one pixel per window pixel, whatever the page does), kept in a framebuffer object,
// and each swap draws the picture into the drawing buffer through a filter of our own.
// Chromium scales a canvas that CSS shows smaller or larger bilinearly from its drawing
// buffer, without mipmaps: below half size that drops every fifth column and row of the
// window (1-pixel lines vanish), and at a device pixel ratio of 1.25 it blurs every line.
// The filter: shown smaller, each device pixel takes the brightest window pixel it covers,
// so every line and dot stays visible in its own colour; shown larger, the area-weighted
// average of the window pixels it covers, so each window pixel is a sharp block whose
// edges blend over at most one device pixel.
mergeInto(LibraryManager.library, {
  $webPresent: {
    texture: null,
    framebuffer: null,
    program: null,
    corners: null,
    footprint: null,
    windowSize: null,
    width: 0,
    height: 0,

    // The picture, its framebuffer and the filter, for a new or a restored context.
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

      var program = gl.createProgram();
      var attach = function(type, source) {
        var shader = gl.createShader(type);
        gl.shaderSource(shader, source);
        gl.compileShader(shader);
        gl.attachShader(program, shader);
      };
      attach(gl.VERTEX_SHADER,
          'attribute vec2 corner; void main() { gl_Position = vec4(corner, 0.0, 1.0); }');
      // Shown larger, a device pixel lies within one window pixel or across one edge of it
      // on each axis, and the area-weighted average is what bilinear filtering gives at the
      // right point: one fetch. Shown smaller, the loops' bound (8 window pixels a side)
      // holds down to a scale of 1/7.
      attach(gl.FRAGMENT_SHADER, [
        '#ifdef GL_FRAGMENT_PRECISION_HIGH',
        'precision highp float;',
        '#else',
        'precision mediump float;',
        '#endif',
        'uniform sampler2D picture; uniform vec2 windowSize; uniform vec2 footprint;',
        'void main() {',
        '  vec2 from = (gl_FragCoord.xy - 0.5) * footprint, to = from + footprint;',
        '  if (footprint.x <= 1.0 && footprint.y <= 1.0) {',
        '    vec2 edge = floor(to), beyond = clamp((to - edge) / footprint, 0.0, 1.0);',
        '    gl_FragColor = texture2D(picture, (edge - 0.5 + beyond) / windowSize);',
        '    return;',
        '  }',
        '  vec4 brightest = vec4(0.0); float light = -1.0;',
        '  for (int j = 0; j < 8; ++j) {',
        '    float y = floor(from.y) + float(j);',
        '    if (y >= to.y) break;',
        '    for (int i = 0; i < 8; ++i) {',
        '      float x = floor(from.x) + float(i);',
        '      if (x >= to.x) break;',
        '      vec4 c = texture2D(picture, (vec2(x, y) + 0.5) / windowSize);',
        '      if (c.r + c.g + c.b > light) { light = c.r + c.g + c.b; brightest = c; }',
        '    }',
        '  }',
        '  gl_FragColor = brightest;',
        '}'].join('\n'));
      // Location 3, which the frame's drawing leaves alone.
      gl.bindAttribLocation(program, 3, 'corner');
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS))
        return 'the page\'s filter: ' + gl.getProgramInfoLog(program);
      self.program = program;
      self.footprint = gl.getUniformLocation(program, 'footprint');
      self.windowSize = gl.getUniformLocation(program, 'windowSize');
      self.corners = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, self.corners);
      var corners = new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]);
      gl.bufferData(gl.ARRAY_BUFFER, corners, gl.STATIC_DRAW);
      return '';
    },

    // Whether the program draws straight into the drawing buffer.
    direct: function(gl) {
      return gl.canvas.width === webPresent.width && gl.canvas.height === webPresent.height;
    },

    // Where the program's drawing goes.
    bind: function(gl) {
      gl.bindFramebuffer(gl.FRAMEBUFFER, webPresent.direct(gl) ? null : webPresent.framebuffer);
    },

    // The picture drawn into the canvas's drawing buffer through the filter.
    show: function(gl) {
      var self = webPresent;
      if (!self.program || self.direct(gl)) return;
      var canvas = gl.canvas;
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      gl.viewport(0, 0, canvas.width, canvas.height);
      gl.useProgram(self.program);
      gl.activeTexture(gl.TEXTURE0);
      gl.bindTexture(gl.TEXTURE_2D, self.texture);
      var across = self.width / canvas.width, up = self.height / canvas.height;
      // Bilinear for the one fetch shown larger; shown smaller, the fetches are at the
      // window pixels' centres, where the nearest is the same and costs less.
      var filter = across <= 1 && up <= 1 ? gl.LINEAR : gl.NEAREST;
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, filter);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, filter);
      gl.uniform2f(self.windowSize, self.width, self.height);
      gl.uniform2f(self.footprint, across, up);
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
