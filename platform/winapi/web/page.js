// The page around the engine in the browser. Runs before the module starts
// (it is passed to the build as a pre-js, in the module's own scope) and sets
// the Module fields the runtime reads: the canvas, the command line from the
// URL's query, standard output and error, the loading status. Once the
// runtime is up it copies every new line of the engine's log to the console
// and to the page, hands dropped level files to the engine and shows its
// message boxes as an overlay.
(function () {
  'use strict';

  var LOG_PATH = '/quorvel.log';
  var DROP_DIR = '/dropped';
  var DROP_LIMIT = 1024 * 1024;       // bytes; a level file is far smaller
  var DROP_SHOW_MS = 6000;            // how long the log lines after a drop stay in the status line
  var QUERY_SHOW_MS = 15000;          // how long the engine's word on a query it refused stays there
  var LOG_PAGE_LIMIT = 256 * 1024;    // characters of the log kept in the page's log element
  var NAME_SHOWN_LIMIT = 80;          // characters of a dropped file's name shown on the page
  var ERROR_LINES_KEPT = 2;           // lines of standard error shown when the engine ends on a failure
  var ERROR_LINE_LIMIT = 300;         // characters of each

  var byId = function (id) { return document.getElementById(id); };
  var canvas = byId('canvas');
  var statusLine = byId('status');
  var timedemoLine = byId('timedemo');
  var logBox = byId('log');

  var stopped = false;          // a failure message owns the status line
  var runtimeReady = false;
  var dropCount = 0;
  var dropWatch = null;         // { name, lines } while a drop's log lines are shown
  var statusExpiry = 0;         // when a passing message leaves the status line (performance.now())

  function setStatus(text, isError) {
    statusLine.textContent = text;
    statusLine.className = isError ? 'error' : '';
  }

  // A message that leaves the status line after a few seconds.
  function showForAWhile(text, milliseconds) {
    if (!stopped) {
      setStatus(text);
      statusExpiry = performance.now() + (milliseconds || DROP_SHOW_MS);
    }
  }

  function stop(text) {
    stopped = true;
    setStatus(text, true);
  }

  function shortName(name) {
    name = String(name);
    return name.length > NAME_SHOWN_LIMIT ? name.slice(0, NAME_SHOWN_LIMIT - 3) + '...' : name;
  }

  // --- WebGL: without it the module is not started. -------------------------
  // The check uses a canvas of its own: a context made on the page's canvas
  // would fix that canvas's context attributes before the engine asks for its own.
  function hasWebGL() {
    try {
      var probe = document.createElement('canvas');
      var gl = probe.getContext('webgl') || probe.getContext('experimental-webgl');
      if (!gl) {
        return false;
      }
      var lose = gl.getExtension('WEBGL_lose_context');
      if (lose) {
        lose.loseContext();
      }
      return true;
    } catch (e) {
      return false;
    }
  }

  Module.canvas = canvas;

  if (!hasWebGL()) {
    stop('Quorvel needs WebGL, which this browser has turned off or does not offer. ' +
         'Turn on hardware acceleration (or WebGL) in the browser\'s settings, or try another browser.');
    document.body.className = 'no-webgl';
    // The runtime waits for dependencies before it runs main; this one never goes.
    Module.preRun = (Module.preRun || []).concat([function () { addRunDependency('quorvel-webgl'); }]);
    // Nor is the WebAssembly fetched and compiled for nothing.
    Module.instantiateWasm = function () { return {}; };
    return;
  }

  // --- Command line: the URL's query, handed to the engine as it is. --------
  Module.arguments = ['--query', location.search.replace(/^\?/, '')];

  // --- Standard output and error. ------------------------------------------
  Module.print = function (text) {
    console.log(text);
    if (/^timedemo:/.test(text)) {
      timedemoLine.textContent = text;
    }
  };
  // Warnings, so that only real failures of the page count as console errors.
  // The first few lines (they say what went wrong) are kept for the status
  // line should the engine end on a failure.
  var firstErrors = [];
  Module.printErr = function (text) {
    console.warn(text);
    // (emscripten's own notes on its OpenGL emulation say nothing of a failure)
    if (firstErrors.length < ERROR_LINES_KEPT && !/^WARNING: using emscripten /.test(text)) {
      firstErrors.push(String(text).slice(0, ERROR_LINE_LIMIT));
    }
  };

  // --- Loading status and failures. ----------------------------------------
  Module.setStatus = function (text) {
    // The runtime's clearing after the start leaves a passing message standing.
    if (!stopped && (text || !statusExpiry)) {
      setStatus(text || '');
    }
  };
  var totalDependencies = 0;
  Module.monitorRunDependencies = function (left) {
    totalDependencies = Math.max(totalDependencies, left);
    if (!stopped) {
      setStatus(left ? 'Preparing... (' + (totalDependencies - left) + '/' + totalDependencies + ')' : '');
    }
  };
  Module.onAbort = function (what) {
    stop('Quorvel stopped: ' + what + '. The log (link below) may say more.');
  };
  var ended = false;
  function engineEnded(code) {
    if (ended) {
      return;
    }
    ended = true;
    if (code !== 0) {
      stop('Quorvel ended with exit code ' + code + (firstErrors.length ? ': ' + firstErrors.join(' ') : '.') +
           ' The log (link below) may say more.');
    } else if (!stopped) {
      setStatus('Quorvel has ended; reload the page to start again.');
    }
  }
  Module.onExit = engineEnded;
  window.addEventListener('error', function (event) {
    stop('Error: ' + (event.message || 'an error in the page\'s script') + '. The log (link below) may say more.');
  });
  canvas.addEventListener('webglcontextlost', function (event) {
    event.preventDefault();
    stop('The browser took the graphics (WebGL) away from the page; reload the page to start again.');
  });

  // --- The log: every new line to the console and to the page. -------------
  var logOffset = 0;
  var logPartial = '';
  var logDecoder = new TextDecoder('utf-8');

  function emitLogLine(line) {
    console.log(line);
    var text = logBox.textContent + line + '\n';
    if (text.length > LOG_PAGE_LIMIT) {
      text = text.slice(text.length - LOG_PAGE_LIMIT);
    }
    logBox.textContent = text;
    // The engine's word on the address's query (a part it could not use).
    if (/^Query: /.test(line)) {
      showForAWhile('In the address: ' + line.slice('Query: '.length), QUERY_SHOW_MS);
    }
    if (dropWatch) {
      dropWatch.lines.push(line);
      showForAWhile('Dropped \'' + dropWatch.name + '\': ' + dropWatch.lines.join(' '));
    }
  }

  function pollLog() {
    var size;
    try {
      size = FS.stat(LOG_PATH).size;
    } catch (e) {
      return; // not written yet
    }
    if (size < logOffset) { // written anew
      logOffset = 0;
      logPartial = '';
    }
    if (size > logOffset) {
      var bytes = new Uint8Array(size - logOffset);
      var stream = FS.open(LOG_PATH, 'r');
      try {
        FS.read(stream, bytes, 0, bytes.length, logOffset);
      } finally {
        FS.close(stream);
      }
      logOffset = size;
      var lines = (logPartial + logDecoder.decode(bytes, { stream: true })).split('\n');
      logPartial = lines.pop();
      lines.forEach(function (line) { emitLogLine(line.replace(/\r$/, '')); });
    }
  }

  function everyFrame() {
    pollLog();
    if (statusExpiry && performance.now() > statusExpiry) {
      statusExpiry = 0;
      dropWatch = null;
      if (!stopped) {
        setStatus('');
      }
    }
    requestAnimationFrame(everyFrame);
  }

  Module.postRun = (Module.postRun || []).concat([function () {
    runtimeReady = true;
    // A main that returned before it first handed control to the browser
    // (a refused command line, a failed start) leaves only its exit status:
    // the runtime stays up for the page, so onExit is not called for it.
    if (typeof EXITSTATUS === 'number' && EXITSTATUS !== 0) {
      engineEnded(EXITSTATUS);
    }
    requestAnimationFrame(everyFrame);
  }]);

  byId('log-toggle').addEventListener('click', function (event) {
    event.preventDefault();
    logBox.hidden = !logBox.hidden;
    if (!logBox.hidden) {
      logBox.scrollTop = logBox.scrollHeight;
    }
  });

  // --- The mouse: a click captures it; the browser's Escape releases it. ---
  canvas.addEventListener('click', function () {
    canvas.focus();
    if (document.pointerLockElement !== canvas && canvas.requestPointerLock) {
      canvas.requestPointerLock();
    }
  });
  document.addEventListener('pointerlockchange', function () {
    document.body.classList.toggle('locked', document.pointerLockElement === canvas);
  });
  window.addEventListener('load', function () { canvas.focus(); });

  // --- Message boxes of the engine: an overlay; returns at once. -----------
  var messageBox = byId('message');
  Module.quorvelShowMessage = function (caption, text) {
    byId('message-caption').textContent = String(caption);
    byId('message-text').textContent = String(text);
    messageBox.hidden = false;
    if (document.exitPointerLock) {
      document.exitPointerLock();
    }
    byId('message-ok').focus();
  };
  byId('message-ok').addEventListener('click', function () {
    messageBox.hidden = true;
    canvas.focus();
  });

  // --- Dropped level files. ------------------------------------------------
  // The file's bytes go to the memory file system under a name of the page's
  // own; the user's file name is only shown.
  function dropped(file) {
    var name = shortName(file.name);
    if (!runtimeReady || stopped) {
      showForAWhile('\'' + name + '\' was not opened: the walk has not started yet.');
      return;
    }
    if (file.size > DROP_LIMIT) {
      showForAWhile('\'' + name + '\' was not opened: it is ' + file.size + ' bytes, more than a level file ' +
                    'may have (1 MiB). The walk goes on.');
      return;
    }
    var reader = new FileReader();
    reader.onerror = function () {
      showForAWhile('\'' + name + '\' could not be read: ' +
                    (reader.error ? reader.error.message : 'unknown error') + '. The walk goes on.');
    };
    reader.onload = function () {
      var bytes = new Uint8Array(reader.result);
      if (bytes.length > DROP_LIMIT) { // grew since it was dropped
        showForAWhile('\'' + name + '\' was not opened: it is larger than 1 MiB. The walk goes on.');
        return;
      }
      dropCount += 1;
      var path = DROP_DIR + '/' + dropCount + '.lvl';
      try {
        try {
          FS.mkdir(DROP_DIR);
        } catch (e) {
          // already there
        }
        FS.writeFile(path, bytes);
      } catch (e) {
        showForAWhile('\'' + name + '\' could not be stored for the engine: ' + e + '. The walk goes on.');
        return;
      }
      pollLog(); // lines before the drop are not the drop's
      dropWatch = { name: name, lines: [] };
      showForAWhile('Dropped \'' + name + '\': opening it...');
      var call = Module.ccall || (typeof ccall === 'function' ? ccall : null);
      if (!call) {
        dropWatch = null;
        showForAWhile('\'' + name + '\' was not opened: this build takes no dropped files.');
        return;
      }
      call('quorvelWebDropFile', null, ['string'], [path]);
    };
    reader.readAsArrayBuffer(file);
  }

  document.addEventListener('dragover', function (event) {
    event.preventDefault();
    if (event.dataTransfer) {
      event.dataTransfer.dropEffect = 'copy';
    }
  });
  document.addEventListener('drop', function (event) {
    event.preventDefault();
    var files = event.dataTransfer ? event.dataTransfer.files : null;
    if (!files || files.length === 0) {
      showForAWhile('Only files can be dropped here: a .lvl level file.');
      return;
    }
    dropped(files[0]);
  });
})();
