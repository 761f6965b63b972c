// Generates library/unicode_tables.cpp (the name-normalisation tables, Unicode 4.0) and
// tests/data/unicode40_bmp.txt (the same facts as plain lists, for the table test).
//
//   node tools/unicode/generate_unicode_tables.mjs UNICODE_4_PACKAGE_DIR UCD_DIR
//
// UNICODE_4_PACKAGE_DIR: the unpacked npm package @unicode/unicode-4.0.0 (general categories and
// simple uppercase mapping of Unicode 4.0). UCD_DIR: Debian's unicode-data folder
// (UnicodeData.txt for the canonical decompositions, DerivedAge.txt to keep those of 4.0).
// Fails unless the counts and the spot values below come out exactly.
import fs from 'node:fs';
import path from 'node:path';
import url from 'node:url';

const [packageDir, ucdDir] = process.argv.slice(2);
if (!packageDir || !ucdDir) {
  console.error('usage: generate_unicode_tables.mjs UNICODE_4_PACKAGE_DIR UCD_DIR');
  process.exit(2);
}
const repo = path.resolve(path.dirname(url.fileURLToPath(import.meta.url)), '../..');
const load = async (relative) =>
  (await import(url.pathToFileURL(path.join(path.resolve(packageDir), relative)).href)).default;
const packageVersion = JSON.parse(fs.readFileSync(path.join(packageDir, 'package.json'))).version;
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };

// --- Pairs: canonical decompositions into exactly two code points, as of Unicode 4.0.
function ageAtMost40() {
  const old = new Uint8Array(0x110000);
  for (const line of fs.readFileSync(path.join(ucdDir, 'DerivedAge.txt'), 'utf8').split('\n')) {
    const m = line.match(/^([0-9A-F]+)(?:\.\.([0-9A-F]+))?\s*;\s*([0-9]+)\.([0-9]+)/);
    if (!m) continue;
    const major = Number(m[3]), minor = Number(m[4]);
    if (major > 4 || (major === 4 && minor > 0)) continue;
    const first = parseInt(m[1], 16), last = m[2] ? parseInt(m[2], 16) : first;
    for (let c = first; c <= last; ++c) old[c] = 1;
  }
  return old;
}
const old = ageAtMost40();
const pairs = [];
const ucdVersionLine = fs.readFileSync(path.join(ucdDir, 'DerivedAge.txt'), 'utf8').split('\n')[0];
for (const line of fs.readFileSync(path.join(ucdDir, 'UnicodeData.txt'), 'utf8').split('\n')) {
  const fields = line.split(';');
  if (fields.length < 6 || fields[5] === '' || fields[5].startsWith('<')) continue;
  const composite = parseInt(fields[0], 16);
  const parts = fields[5].split(' ').map((h) => parseInt(h, 16));
  if (parts.length !== 2 || composite > 0xFFFF || !old[composite]) continue;
  pairs.push({ key: parts[0] * 65536 + parts[1], first: parts[0], composite });
}
pairs.sort((a, b) => a.key - b.key);
check(pairs.length === 989, `989 pairs (got ${pairs.length})`);
check(pairs.every((p) => p.first <= 0xFFFF && p.key % 65536 <= 0xFFFF), 'pairs in the BMP');

// --- Maps over the BMP.
const baseLetter = new Uint32Array(0x10000).map((_, i) => i);
for (const p of pairs) baseLetter[p.composite] = p.first;
const upperMap = await load('Simple_Case_Mapping/Uppercase/code-points.mjs');
const upperCase = new Uint32Array(0x10000).map((_, i) => i);
for (const [from, to] of upperMap) if (from < 0x10000) upperCase[from] = to;
const changes = (table) => table.reduce((n, v, i) => n + (v !== i ? 1 : 0), 0);
check(changes(baseLetter) === 989, `989 base-letter changes (got ${changes(baseLetter)})`);
check(changes(upperCase) === 723, `723 uppercase changes (got ${changes(upperCase)})`);
check(upperCase.every((v) => v <= 0xFFFF), 'uppercase values in the BMP');

// --- Key set: clear for the separator categories, except strictly inside the ranges that
// UnicodeData 4.0 gives only by First and Last lines.
const separatorCategories = [
  'Control', 'Format', 'Private_Use', 'Surrogate', 'Nonspacing_Mark', 'Spacing_Mark',
  'Enclosing_Mark', 'Decimal_Number', 'Letter_Number', 'Other_Number', 'Connector_Punctuation',
  'Dash_Punctuation', 'Open_Punctuation', 'Close_Punctuation', 'Initial_Punctuation',
  'Final_Punctuation', 'Other_Punctuation', 'Math_Symbol', 'Currency_Symbol', 'Modifier_Symbol',
  'Space_Separator', 'Line_Separator', 'Paragraph_Separator',
];
const kKeyLimit = 0x1D800;
const ranges = [[0x3400, 0x4DB5], [0x4E00, 0x9FA5], [0xAC00, 0xD7A3], [0xD800, 0xDB7F],
                [0xDB80, 0xDBFF], [0xDC00, 0xDFFF], [0xE000, 0xF8FF]];
const retained = new Uint8Array(kKeyLimit).fill(1);
for (const category of separatorCategories) {
  for (const c of await load(`General_Category/${category}/code-points.mjs`)) {
    if (c < kKeyLimit) retained[c] = 0;
  }
}
for (const [first, last] of ranges) for (let c = first + 1; c < last; ++c) retained[c] = 1;
const words = new Uint32Array(kKeyLimit / 32);
for (let c = 0; c < kKeyLimit; ++c) if (retained[c]) words[c >>> 5] |= 1 << (c & 31);
check(words.length * 4 === 15104, `15104 key-set bytes (got ${words.length * 4})`);

// --- Telling rows.
const ascii = [];
for (let c = 0; c < 0x80; ++c) if (retained[c]) ascii.push(c);
const letters = [...'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz'].map((s) => s.charCodeAt(0));
check(JSON.stringify(ascii) === JSON.stringify(letters), 'ASCII retains only A-Z and a-z');
const latin1 = [];
for (let c = 0x80; c < 0x100; ++c) if (retained[c]) latin1.push(c);
const expectedLatin1 = [0xA6, 0xA7, 0xA9, 0xAA, 0xAE, 0xB0, 0xB5, 0xB6, 0xBA];
for (let c = 0xC0; c <= 0xFF; ++c) if (c !== 0xD7 && c !== 0xF7) expectedLatin1.push(c);
check(JSON.stringify(latin1) === JSON.stringify(expectedLatin1), 'Latin-1 retained set');
for (const c of [0xE000, 0xF8FF, 0xD800, 0xDB7F, 0xDB80, 0xDBFF, 0xDC00, 0xDFFF]) {
  check(!retained[c], `U+${c.toString(16)} clear`);
}
for (const c of [0xE001, 0xD801, 0x4E00, 0x9FA5, 0xAC00]) check(retained[c], `U+${c.toString(16)} set`);
const upperRows = [[0x131, 0x49], [0x17F, 0x53], [0xB5, 0x39C], [0xFF, 0x178], [0x1C5, 0x1C4],
                   [0x1F80, 0x1F88], [0xDF, 0xDF], [0x3F8, 0x3F7], [0x2C30, 0x2C30]];
for (const [from, to] of upperRows) check(upperCase[from] === to, `upper U+${from.toString(16)}`);
check(baseLetter[0x1D5] === 0xDC, 'base of U+01D5 is U+00DC');
const pairOf = (a, b) => pairs.find((p) => p.key === a * 65536 + b);
check(pairOf(0x915, 0x93C)?.composite === 0x958, 'composition exclusions included');
check(!pairOf(0x1100, 0x1161), 'Hangul syllables not composed');

if (failures.length) {
  console.error('generate_unicode_tables: the sources do not give Unicode 4.0 as expected:');
  for (const f of failures) console.error(`  ${f}`);
  process.exit(1);
}

// --- Two-level tables: 256 page numbers (0: the page maps to itself), then the pages.
function twoLevel(table) {
  const index = [];
  const pages = [];
  for (let page = 0; page < 256; ++page) {
    const values = Array.from(table.slice(page * 256, page * 256 + 256));
    if (values.every((v, i) => v === page * 256 + i)) {
      index.push(0);
    } else {
      pages.push(values);
      index.push(pages.length);
    }
  }
  return [index, ...pages].flat();
}
const hex = (n, width) => '0x' + n.toString(16).toUpperCase().padStart(width, '0');
const rows = (values, width, perRow) => {
  const lines = [];
  for (let i = 0; i < values.length; i += perRow) {
    lines.push('    ' + values.slice(i, i + perRow).map((v) => hex(v, width)).join(', ') + ',');
  }
  return lines.join('\n');
};
const base = twoLevel(baseLetter), upper = twoLevel(upperCase);
const source = `// Generated by tools/unicode/generate_unicode_tables.mjs; do not edit.
// Sources: npm @unicode/unicode-4.0.0 ${packageVersion} (general categories, simple uppercase
// mapping of Unicode 4.0); Debian unicode-data (${ucdVersionLine.replace(/^#\s*/, '')}):
// UnicodeData.txt canonical two-code-point decompositions of characters whose DerivedAge is 4.0
// or earlier.
#include "library/unicode_tables.h"

namespace brek::zomelo {

const ComposePair kComposePairs[kComposePairCount] = {
${pairs.map((p) => `    {${hex(p.key, 8)}, ${hex(p.composite, 4)}},`).join('\n')}
};

const uint16_t kBaseLetter[${base.length}] = {
${rows(base, 4, 12)}
};

const uint16_t kUpperCase[${upper.length}] = {
${rows(upper, 4, 12)}
};

const uint32_t kKeySet[kKeySetWords] = {
${rows(Array.from(words), 8, 8)}
};

}  // namespace brek::zomelo
`;
fs.writeFileSync(path.join(repo, 'library/unicode_tables.cpp'), source);

// The table test's data: the BMP ranges whose key-set bit is clear, then every changed
// uppercase and base-letter value.
const clearRanges = [];
for (let c = 0; c < 0x10000; ++c) {
  if (retained[c]) continue;
  if (clearRanges.length && clearRanges.at(-1)[1] === c - 1) clearRanges.at(-1)[1] = c;
  else clearRanges.push([c, c]);
}
const h4 = (n) => n.toString(16).toUpperCase().padStart(4, '0');
const data = [
  `# Unicode 4.0 facts of the BMP for the normalisation tables; written by`,
  `# tools/unicode/generate_unicode_tables.mjs. "clear A B": key-set bits A..B clear;`,
  `# "upper C U" and "base C B": C maps to U or B; every other code point maps to itself.`,
  ...clearRanges.map(([a, b]) => `clear ${h4(a)} ${h4(b)}`),
  ...[...upperCase.keys()].filter((c) => upperCase[c] !== c).map((c) => `upper ${h4(c)} ${h4(upperCase[c])}`),
  ...[...baseLetter.keys()].filter((c) => baseLetter[c] !== c).map((c) => `base ${h4(c)} ${h4(baseLetter[c])}`),
];
fs.writeFileSync(path.join(repo, 'tests/data/unicode40_bmp.txt'), data.join('\n') + '\n');
console.log(`generate_unicode_tables: ${pairs.length} pairs, ${changes(baseLetter)} base letters, ` +
            `${changes(upperCase)} upper case, ${words.length * 4} key-set bytes`);
