# Makes the page's worker script into a string the page can start a worker from: a page opened
# from disk may not load a worker from a file, but it may from a blob of the script's text.
#   cmake -DCORE=quillet-core.js -DWORKER=worker.js -DOUT=quillet-worker.js -P embed-worker.cmake
file(READ "${CORE}" core)
file(READ "${WORKER}" worker)
set(text "${core}\n${worker}")
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\r" "\\r" text "${text}")
string(REPLACE "\n" "\\n" text "${text}")
file(WRITE "${OUT}" "// The core (WebAssembly inside) and the worker that runs it, as one string.\nconst quilletWorkerSource = \"${text}\";\n")
