// A small static file server for the built page, on 127.0.0.1 only.
//   node web/serve.mjs [FOLDER] [PORT]    default build/web/site, port 8080 (0: any free port)
// The tests and the benchmark import serve() and use a free port.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',  // required for streaming compilation
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
};

// Resolves to { server, url } once listening.
export function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    const send = (code, headers, body) => {
      response.writeHead(code, headers);
      response.end(request.method === 'HEAD' ? undefined : body);
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      return send(405, { Allow: 'GET, HEAD' }, 'method not allowed\n');
    }
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    } catch {
      return send(400, {}, 'bad request\n');
    }
    // Only files inside the folder: no "..", no absolute paths, no NUL.
    const file = resolve(root, '.' + (path.endsWith('/') ? path + 'index.html' : path));
    if (path.includes('\0') || !file.startsWith(root + sep)) {
      return send(404, {}, 'not found\n');
    }
    let body;
    try {
      body = await readFile(file);
    } catch {
      return send(404, {}, 'not found\n');
    }
    // Isolated from other origins, so performance.now() is precise enough
    // for the benchmark; the page loads nothing from elsewhere anyway.
    send(200, {
      'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      'Cross-Origin-Opener-Policy': 'same-origin',
      'Cross-Origin-Embedder-Policy': 'require-corp',
    }, body);
  });
  return new Promise((done, failed) => {
    server.once('error', failed);
    server.listen(port, '127.0.0.1', () => done({ server, url: `http://127.0.0.1:${server.address().port}/` }));
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const here = fileURLToPath(new URL('.', import.meta.url));
  const folder = process.argv[2] || join(here, '..', 'build', 'web', 'site');
  const port = process.argv[3] === undefined ? 8080 : Number(process.argv[3]);
  if (!Number.isInteger(port) || port < 0 || port > 65535) {
    console.error(`serve: not a port: ${process.argv[3]}`);
    process.exit(2);
  }
  serve(folder, port).then(
    ({ url }) => console.log(`serve: ${folder} at ${url} (Ctrl+C stops)`),
    (error) => {
      console.error(`serve: ${error.message}`);
      process.exit(1);
    });
}
