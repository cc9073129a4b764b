// Writes the site's tarnwick.js: the program's WebAssembly, in base64, handed
// to Emscripten's JavaScript, which follows. A page opened from a file (a
// download unpacked) may load scripts beside it but may not fetch anything,
// in Chromium and WebKit; and this is one request fewer before the program
// runs. Emscripten's own way of carrying the WebAssembly in its JavaScript
// first tries to fetch it from a data: URL, which the page's
// Content-Security-Policy refuses, with a complaint in the console.
//
//   node embed_program.js <Emscripten's tarnwick.js> <tarnwick.wasm> <output>
const fs = require("fs");

const [program, wasm, output] = process.argv.slice(2);
const base64 = fs.readFileSync(wasm).toString("base64");
const prelude =
    "// The program's WebAssembly, carried in this file: see embed_program.js in Tarnwick's source.\n" +
    `var Module = { wasmBinary: Uint8Array.from(atob("${base64}"), (c) => c.charCodeAt(0)) };\n`;
fs.writeFileSync(output, prelude + fs.readFileSync(program, "utf8"));
