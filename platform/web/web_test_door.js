// Linked into the test pages only, never into the program's page: what the browser tests may
// ask of the driver, by name, so that no test depends on a field of the driver's. The tests
// reach it as `Module.testDoor`.
mergeInto(LibraryManager.library, {
  // What the test pages' link asks for by name (a name without a dollar sign, which the
  // build's command lines would otherwise have to escape); it brings the door in.
  webtest_door__deps: ['$webTestDoor'],
  webtest_door: function() {},

  $webTestDoor__deps: ['$webDriver', '$webPresent', '$webFrames'],
  $webTestDoor__postset: 'webTestDoor.install();',
  $webTestDoor: {
    readers: [],
    frames: 0,  // the times the program has come to wait for a frame

    // Every frame shown is read by the readers waiting for it, before the browser takes the
    // drawing buffer away (the program may draw straight into it).
    install: function() {
      var show = webPresent.show;
      webPresent.show = function(gl) {
        show(gl);
        var readers = webTestDoor.readers;
        webTestDoor.readers = [];
        readers.forEach(function(reader) { reader(gl); });
      };
      var wait = webFrames.wait;
      webFrames.wait = function(wakeUp) {
        ++webTestDoor.frames;
        wait(wakeUp);
      };
      Module['testDoor'] = {picture: webTestDoor.picture, context: webTestDoor.context,
                            held: webTestDoor.held, pointCulling: webTestDoor.pointCulling};
    },

    // The frames the program has drawn, whether it now waits, held, for a step (a stepped
    // sweep reaches the same frame in every run), and the vertices handed over to WebGL.
    held: function(done) {
      var waiting = webFrames.held && webFrames.wake !== null && webFrames.steps === 0;
      done([webTestDoor.frames, waiting, Module['_webtest_vertices_handed_over']() >>> 0]);
    },

    // The GL layer's culling of points that change no pixel, on or off (the test page's
    // own switch, point_culling_switch.cpp), for a picture with and without it.
    pointCulling: function(on, done) {
      Module['_webtest_point_culling'](on ? 1 : 0);
      done();
    },

    // The pixels of a framebuffer (null: the drawing buffer), rows bottom up: as a PNG data
    // URL, or as a fingerprint, a hash and whether the sweep line's blue is among them.
    read: function(gl, framebuffer, width, height, fingerprint) {
      var pixels = new Uint8ClampedArray(width * height * 4);
      gl.bindFramebuffer(gl.FRAMEBUFFER, framebuffer);
      gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      if (fingerprint) {
        var hash = 0, blue = false;
        for (var i = 0; i < pixels.length; i += 4) {
          hash = Math.imul(hash ^ (pixels[i] | pixels[i + 1] << 8 | pixels[i + 2] << 16), 16777619);
          blue = blue || (pixels[i] === 0 && pixels[i + 1] === 0 && pixels[i + 2] === 255);
        }
        return [hash, blue];
      }
      var canvas = document.createElement('canvas');
      canvas.width = width;
      canvas.height = height;
      canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
      return canvas.toDataURL();
    },

    // The window's picture as the program drew it, one pixel per window pixel whatever size
    // the page shows it at (what: 'picture'); that and the drawing buffer as the page showed
    // it ('shown'); or the picture's fingerprint ('fingerprint'). Read at the next frame
    // shown, or at once while frames are held (the held frame is kept, and shown again).
    picture: function(what, done) {
      var reader = function(gl) {
        var kept = !webPresent.direct(gl);
        var out = [webTestDoor.read(gl, kept ? webPresent.framebuffer : null, webPresent.width,
                                    webPresent.height, what === 'fingerprint')];
        if (what === 'shown') {
          out.push(webTestDoor.read(gl, null, gl.drawingBufferWidth, gl.drawingBufferHeight));
        }
        done(what === 'fingerprint' ? out[0] : out);
      };
      webTestDoor.readers.push(reader);
      webDriver.mustDraw = true;  // the next frame is shown even if it repeats the last
      if (webPresent.keepPicture) webPresent.show(webDriver.gl);
    },

    // The page's WebGL context, for the cases that take it away and give it back.
    context: function() { return webDriver.gl; },
  },
});
