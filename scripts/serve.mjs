// Serves a folder over HTTP on localhost, for the web page and its tests.
//   node scripts/serve.mjs <folder> [port]     prints the address, serves until stopped
// As a module: `const { url, close } = await serve(folder)` on a free port; `mounts` maps
// URL prefixes such as '/fixtures/' to other folders.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.json': 'application/json', '.wasm': 'application/wasm', '.png': 'image/png',
  '.jpg': 'image/jpeg', '.gif': 'image/gif', '.bmp': 'image/bmp', '.ico': 'image/x-icon', '.wav': 'audio/wav',
  '.ts': 'text/plain; charset=utf-8', '.md': 'text/plain; charset=utf-8',
};

export async function serve(folder, port = 0, mounts = {}) {
  const server = createServer(async (request, response) => {
    try {
      const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
      const prefix = Object.keys(mounts).find((p) => path.startsWith(p));
      const root = resolve(prefix ? mounts[prefix] : folder);
      let file = normalize(join(root, prefix ? path.slice(prefix.length - 1) : path));
      if (file !== root && !file.startsWith(root + sep)) throw new Error('outside the folder');
      if ((await stat(file)).isDirectory()) {
        if (!path.endsWith('/')) {  // relative links in the page need the slash
          response.writeHead(301, { Location: `${path}/` });
          return response.end();
        }
        file = join(file, 'index.html');
      }
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': TYPES[extname(file).toLowerCase()] ?? 'application/octet-stream',
        'Cache-Control': 'no-store' });
      response.end(body);
    } catch {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found');
    }
  });
  await new Promise((done, fail) => server.once('error', fail).listen(port, '127.0.0.1', done));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((done) => { server.close(done); server.closeAllConnections(); }) };
}

if (import.meta.url === pathToFileURL(process.argv[1] ?? '').href) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error('usage: node scripts/serve.mjs <folder> [port]');
    process.exit(2);
  }
  const { url } = await serve(folder, Number(port ?? 8080));
  console.log(`Serving ${folder} at ${url} (Ctrl+C stops)`);
}
