// Draws every frame of an Aseprite file side by side, as ase-parser reads it,
// into raw RGBA bytes; prints the picture's size, then each tag.
// Usage: node read_aseprite.js FILE.aseprite OUT.rgba
const fs = require('fs');
const Aseprite = require('ase-parser');

const ase = new Aseprite(fs.readFileSync(process.argv[2]), 'export');
ase.parse();
if (ase.colorDepth !== 8) throw new Error('not indexed');
const width = ase.width * ase.numFrames, height = ase.height;
const out = Buffer.alloc(width * height * 4);
ase.frames.forEach((frame, f) => {
  for (const cel of frame.cels)
    for (let y = 0; y < cel.h; ++y)
      for (let x = 0; x < cel.w; ++x) {
        const index = cel.rawCelData[y * cel.w + x];
        if (index === ase.paletteIndex) continue;
        const colour = ase.palette.colors[index];
        const at = ((cel.ypos + y) * width + f * ase.width + cel.xpos + x) * 4;
        out[at] = colour.red, out[at + 1] = colour.green, out[at + 2] = colour.blue, out[at + 3] = colour.alpha;
      }
});
fs.writeFileSync(process.argv[3], out);
console.log(`${width} ${height} ${ase.layers.length} layers`);
for (const tag of ase.tags) console.log(`tag ${tag.name} ${tag.from}-${tag.to} ${tag.animDirection}`);
