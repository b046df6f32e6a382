// What a PlgKavelo module needs of the browser besides the clock, shared by the package
// (kavelo.js) and kavelo-play's page: the artwork fetched into the module's file system
// with each picture decoded by the browser ahead of use, and sound unlocked by a gesture.
const PICTURE_NAME = /\.(png|jpe?g|gif|bmp|ico|cur)$/i;

// Browsers let a page play sounds only after a gesture: until then sounds are dropped.
export function unlockSound(module) {
  if (typeof window === 'undefined' || typeof AudioContext === 'undefined') return;
  const unlock = () => {
    const ctx = (module.kaveloAudioContext ??= new AudioContext());
    ctx.resume().catch(() => {});
  };
  for (const type of ['pointerdown', 'keydown']) window.addEventListener(type, unlock, { capture: true });
}

// Fetches `names` (checked plain file names) from the URL `base` into the folder `dir` of
// the module's file system, and hands the module the browser's pixels for each picture it
// will take, since the plug-in sets up synchronously and browsers decode asynchronously.
// A picture that declares more than the plug-in accepts is not decoded at all. Resolves
// to the names that could not be fetched and how many pictures were decoded.
export async function preloadFiles(module, dir, base, names) {
  module.FS.mkdirTree(dir);
  const failed = [];
  let decoded = 0;
  await Promise.all(names.map(async (name) => {
    let bytes;
    try {
      const response = await fetch(new URL(name, base));
      if (!response.ok) throw new Error(response.statusText);
      bytes = new Uint8Array(await response.arrayBuffer());
    } catch {
      failed.push(name);
      return;
    }
    module.FS.writeFile(`${dir}/${name}`, bytes);
    if (PICTURE_NAME.test(name) && await decodePicture(module, bytes)) decoded++;
  }));
  return { failed, decoded };
}

// Hands the module the browser's pixels for every picture the module itself wrote into the
// folder `dir` of its file system. Resolves to how many were decoded.
export async function decodeFolder(module, dir) {
  const names = module.FS.readdir(dir).filter((name) => PICTURE_NAME.test(name));
  const decoded = await Promise.all(names.map((name) => decodePicture(module, module.FS.readFile(`${dir}/${name}`))));
  return decoded.filter(Boolean).length;
}

// Hands the module the browser's pixels for a picture file, when it wants them.
async function decodePicture(m, bytes) {
  const range = withBytes(m, bytes, (at) => {
    const out = m._malloc(8);
    try {
      if (!m._KaveloWebPictureToDecode(at, bytes.length, out)) return null;
      const view = new Uint32Array(m.HEAPU8.buffer, out, 2);
      return [view[0], view[1]];
    } finally {
      m._free(out);
    }
  });
  if (!range) return false;
  const part = bytes.subarray(range[0], range[0] + range[1]);
  let pixels;
  try {
    pixels = await decodeWithBrowser(part);
  } catch {
    return false;  // the plug-in reports the decode error at set-up
  }
  withBytes(m, part, (at) => withBytes(m, pixels.data, (rgba) =>
    m._KaveloWebAddPicture(at, part.length, rgba, pixels.width, pixels.height)));
  return true;
}

// Runs `use(address)` with a copy of `bytes` in the module's memory.
function withBytes(m, bytes, use) {
  const at = m._malloc(Math.max(bytes.length, 1));
  if (!at) throw new RangeError('out of memory');
  try {
    m.HEAPU8.set(bytes, at);
    return use(at);
  } finally {
    m._free(at);
  }
}

// The browser's decoders, asked for the file's own pixels: no colour management, no
// scaling, alpha not premultiplied (a canvas keeps it premultiplied inside, so partly
// transparent pixels may round differently from other decoders).
async function decodeWithBrowser(bytes) {
  const bitmap = await createImageBitmap(new Blob([bytes]), { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  try {
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const ctx = canvas.getContext('2d', { willReadFrequently: true });
    ctx.drawImage(bitmap, 0, 0);
    return ctx.getImageData(0, 0, bitmap.width, bitmap.height);
  } finally {
    bitmap.close();
  }
}
