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
    // The present step's programs (the filters, the colour map), each linked when it is first
    // needed: at one device pixel per window pixel none is, and at load a phone needs one of
    // the three filters only. A software renderer takes a long time over each.
    programs: null,
    // Told what the page cannot show, should a program of the present step fail to link.
    onProblem: function(text) {},
    corners: null,
    width: 0,
    height: 0,
    // Drawn into the picture even at one device pixel per window pixel: while the page
    // holds frames back (the held frame can then be shown again), and under a colour map.
    keepPicture: false,
    colourMap: null,  // [[from, to], ...], each an [r, g, b] of bytes; null shows the colours
    mapper: null,     // the colour map's program and the picture it draws, made when first used

    // Shown larger, a device pixel lies within one window pixel or across one edge of it on
    // each axis, and the area-weighted average is what bilinear filtering gives at the right
    // point: one fetch. Shown smaller, a device pixel covers at most 3 window pixels a side
    // down to a scale of 1/2, at most 5 down to 1/4: so many fetches, unrolled, without
    // branches, the window pixels beyond the device pixel's edges not taken. (A software
    // renderer runs that several times faster than loops, and runs both sides of a branch.)
    filterSource: function(n) {
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
      return [larger, smaller(3), smaller(5)][n].join('\n');
    },

    // The picture and its framebuffer, for a new or a restored context (the programs follow
    // when they are first needed); the empty string, or what failed.
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

      self.programs = {};
      self.corners = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, self.corners);
      var corners = new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]);
      gl.bufferData(gl.ARRAY_BUFFER, corners, gl.STATIC_DRAW);
      self.mapper = null;  // a restored context has none of the old objects
      return '';
    },

    // The present step's program of this name and fragment shader, with its uniforms' places
    // (null, said once, if it does not link). The corners at a location of their own, which
    // the frame's drawing leaves alone.
    program: function(gl, name, fragmentSource, uniforms) {
      var self = webPresent;
      if (name in self.programs) return self.programs[name];
      var program = webLinkProgram(gl,
          'attribute vec2 corner; void main() { gl_Position = vec4(corner, 0.0, 1.0); }',
          fragmentSource(), {corner: {{{ WEB_ATTRIBUTE_CORNER }}}});
      var made = null;
      if (gl.getProgramParameter(program, gl.LINK_STATUS)) {
        made = {program: program};
        uniforms.forEach(function(u) { made[u] = gl.getUniformLocation(program, u); });
      } else {
        self.onProblem('The page could not show the picture (' + name + '): ' +
                       gl.getProgramInfoLog(program));
      }
      self.programs[name] = made;
      return made;
    },

    // The colour map: each window pixel of one of the `from` colours (to the byte) is shown
    // in its `to` colour, before any filtering, so that the shown picture is exactly the map
    // of the program's. In the page's present step only: the program's picture is its own.
    MAP_SIZE: 8,
    setColourMap: function(pairs) {
      webPresent.colourMap = pairs && pairs.length ? pairs.slice(0, webPresent.MAP_SIZE) : null;
    },

    buildMapper: function(gl) {
      var self = webPresent, size = self.MAP_SIZE;
      var mapping = self.program(gl, 'colour map', function() {
        return ['#ifdef GL_FRAGMENT_PRECISION_HIGH', 'precision highp float;', '#else',
                'precision mediump float;', '#endif',
                'uniform sampler2D picture; uniform vec2 windowSize;',
                'uniform vec3 from[' + size + ']; uniform vec3 to[' + size + '];',
                'void main() {',
                '  vec3 c = texture2D(picture, gl_FragCoord.xy / windowSize).rgb, shown = c;',
                '  for (int i = 0; i < ' + size + '; ++i) {',
                '    vec3 d = abs(c - from[i]);',
                '    shown = mix(shown, to[i], step(max(d.r, max(d.g, d.b)), 0.5 / 255.0));',
                '  }',
                '  gl_FragColor = vec4(shown, 1.0);',
                '}'].join('\n');
      }, ['windowSize', 'from', 'to']);
      if (!mapping) return;
      var texture = gl.createTexture();
      gl.bindTexture(gl.TEXTURE_2D, texture);
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGBA, self.width, self.height, 0, gl.RGBA,
                    gl.UNSIGNED_BYTE, null);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE);
      var framebuffer = gl.createFramebuffer();
      gl.bindFramebuffer(gl.FRAMEBUFFER, framebuffer);
      gl.framebufferTexture2D(gl.FRAMEBUFFER, gl.COLOR_ATTACHMENT0, gl.TEXTURE_2D, texture, 0);
      self.mapper = {mapping: mapping, texture: texture, framebuffer: framebuffer};
    },

    // Draws a full-window rectangle with the program in use, from the texture given.
    cover: function(gl, texture, sampling) {
      gl.activeTexture(gl.TEXTURE0);
      gl.bindTexture(gl.TEXTURE_2D, texture);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MIN_FILTER, sampling);
      gl.texParameteri(gl.TEXTURE_2D, gl.TEXTURE_MAG_FILTER, sampling);
      gl.bindBuffer(gl.ARRAY_BUFFER, webPresent.corners);
      gl.enableVertexAttribArray({{{ WEB_ATTRIBUTE_CORNER }}});
      gl.vertexAttribPointer({{{ WEB_ATTRIBUTE_CORNER }}}, 2, gl.FLOAT, false, 8, 0);
      gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
      gl.disableVertexAttribArray({{{ WEB_ATTRIBUTE_CORNER }}});
    },

    // The picture through the colour map, into a texture of its own; that texture.
    mapped: function(gl) {
      var self = webPresent;
      if (!self.mapper) self.buildMapper(gl);
      if (!self.mapper) return self.texture;
      var mapper = self.mapper, mapping = mapper.mapping, from = [], to = [];
      for (var i = 0; i < self.MAP_SIZE; ++i) {
        var pair = self.colourMap[i];
        // Past the map's end, a colour no pixel has.
        from = from.concat(pair ? pair[0].map(function(c) { return c / 255; }) : [-1, -1, -1]);
        to = to.concat(pair ? pair[1].map(function(c) { return c / 255; }) : [0, 0, 0]);
      }
      gl.bindFramebuffer(gl.FRAMEBUFFER, mapper.framebuffer);
      gl.viewport(0, 0, self.width, self.height);
      gl.useProgram(mapping.program);
      gl.uniform2f(mapping.windowSize, self.width, self.height);
      gl.uniform3fv(mapping.from, from);
      gl.uniform3fv(mapping.to, to);
      self.cover(gl, self.texture, gl.NEAREST);
      return mapper.texture;
    },

    // Whether the program draws straight into the drawing buffer. (The browser may give a
    // drawing buffer smaller than the canvas asks for, a very large one on a big screen.)
    direct: function(gl) {
      var self = webPresent;
      return gl.drawingBufferWidth === self.width && gl.drawingBufferHeight === self.height &&
             !self.keepPicture && !self.colourMap;
    },

    // Where the program's drawing goes.
    bind: function(gl) {
      gl.bindFramebuffer(gl.FRAMEBUFFER, webPresent.direct(gl) ? null : webPresent.framebuffer);
    },

    // The picture drawn into the canvas's drawing buffer through the filter for its scale
    // (and first through the colour map, if there is one).
    show: function(gl) {
      var self = webPresent;
      if (!self.programs || self.direct(gl)) return;
      var width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
      var across = self.width / width, up = self.height / height;
      var most = Math.max(across, up);
      var n = most <= 1 ? 0 : most <= 2 ? 1 : 2;
      var filter = self.program(gl, ['larger', '3 x 3', '5 x 5'][n],
                                function() { return self.filterSource(n); },
                                ['footprint', 'windowSize']);
      if (!filter) return;
      var source = self.colourMap ? self.mapped(gl) : self.texture;
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      gl.viewport(0, 0, width, height);
      gl.useProgram(filter.program);
      gl.uniform2f(filter.windowSize, self.width, self.height);
      gl.uniform2f(filter.footprint, across, up);
      // Bilinear for the one fetch shown larger; shown smaller, the fetches are at the
      // window pixels' centres, where the nearest is the same and costs less.
      self.cover(gl, source, most <= 1 ? gl.LINEAR : gl.NEAREST);
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
