# The browser's program, the page's aurisplot.js and aurisplot.wasm: none yet.
