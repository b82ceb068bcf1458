// make test-web: the browser build in headless chromium against the native
// build's pictures. Usage: node test-web.js NATIVE_BUILD_DIR WEB_BUILD_DIR
'use strict';
const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { launchChromium } = require('../../tools/web/chromium');

const [nativeDir, webDir] = process.argv.slice(2).map((dir) => path.resolve(dir));
const movies = path.resolve(__dirname, '../../docs/screenshots/movies');
const route = path.resolve(__dirname, '../../content/routes/blk101.movie');
// The step before blk101 starts, when menu-to-blk101.movie plays it from the title.
const kStageStart = 340;
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'duskhold-web-'));
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// From the title through the menu into blk101, then its route, whose steps
// move on to the stage's start; a movie's steps never go back, so the
// events are put in step order. The route's budget is the last step of
// the stage by which it clears.
function clearBlk101() {
  const events = (text, shift) =>
    text
      .split('\n')
      .filter((line) => /^\d/.test(line))
      .map((line) => ({ step: Number(line.match(/^\d+/)[0]) + shift, line: line.replace(/^\d+/, '') }));
  const routeText = fs.readFileSync(route, 'utf8');
  const menu = fs.readFileSync(path.join(__dirname, 'menu-to-blk101.movie'), 'utf8');
  const all = [...events(menu, 0), ...events(routeText, kStageStart)].sort((a, b) => a.step - b.step);
  const lines = all.map((event) => event.step + event.line);
  const budget = Number(routeText.match(/^# budget: (\d+)$/m)[1]);
  return { text: ['duskhold-movie 1', ...lines, ''].join('\n'), clearedBy: kStageStart + budget };
}

// build-web/ as it is; under /movies/ the README's movies and ours, and
// /movies/clear-blk101.movie made from the menu's way and the route.
function serve(request, response) {
  const name = path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
  const movie = name.startsWith('/movies/') && name.slice(8);
  if (movie === 'clear-blk101.movie') {
    response.writeHead(200, { 'Content-Type': 'text/plain' });
    response.end(clearBlk101().text);
    return;
  }
  const file = movie ? path.join(fs.existsSync(path.join(movies, movie)) ? movies : __dirname, movie) : path.join(webDir, name);
  fs.readFile(file, (error, bytes) => {
    response.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(error ? '' : bytes);
  });
}

// The native pictures; both builds are given the data folder as "data", so
// that the console line naming it reads the same.
function nativeShot(name, options) {
  const args = ['-a', '-s', '-screen 0 1920x1080x24 -nolisten tcp', './duskhold', '--data', 'data', '--fast', ...options, '--shot', `${options[1]}:${temp}/${name}`];
  const env = { ...process.env, SDL_AUDIODRIVER: 'dummy', DUSKHOLD_NO_DIALOG: '1', XDG_CONFIG_HOME: '/dev/null/settings' };
  execFileSync('xvfb-run', args, { cwd: nativeDir, env, stdio: 'ignore' });
}

// Loads the page with these options, runs `during` while the game runs and
// waits for its end; returns the contents of the files named in `keep`.
async function play(page, options, keep = [], during = async () => null) {
  await page.goto(`${page.base}/index.html?${options}`);
  await page.waitForFunction(() => typeof Module === 'object' && Module.calledRun === true, { timeout: 60000 });
  await during();
  await page.waitForFunction(() => Module.exitStatus !== null, { timeout: 120000 });
  assert.strictEqual(await page.evaluate(() => Module.exitStatus), 0, options);
  const files = await page.evaluate((names) => names.map((name) => Array.from(FS.readFile(name))), keep);
  return files.map((bytes) => Buffer.from(bytes));
}

// Every channel of every pixel within 1/255 of the native picture.
function assertSamePicture(bytes, name) {
  fs.writeFileSync(`${temp}/web-${name}`, bytes);
  try {
    execFileSync('compare', ['-metric', 'PAE', `${temp}/web-${name}`, `${temp}/${name}`, 'null:'], { stdio: 'pipe' });
  } catch (failure) {
    // Status 1: the pictures differ, by the peak error it prints; 2: no comparison.
    assert.strictEqual(failure.status, 1, String(failure.stderr));
    assert.ok(Number(String(failure.stderr).match(/\(([\d.e-]+)\)/)[1]) <= 1 / 255 + 1e-6, `${name}: ${failure.stderr}`);
  }
}

const traceLines = (bytes) => String(bytes).trim().split('\n').map((line) => JSON.parse(line));

async function main() {
  nativeShot('title.png', ['--steps', '150']);
  nativeShot('village.png', ['--steps', '560', '--level', 'blk101', '--replay', `${movies}/village.movie`]);
  const server = http.createServer(serve).listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const browser = await launchChromium(path.join(temp, 'profile'));
  try {
    const page = await browser.newPage();
    page.base = `http://127.0.0.1:${server.address().port}`;
    page.on('pageerror', (error) => console.error('page:', error.message));
    const title = await play(page, 'data=data&fast&steps=150&shot=150:/title.png', ['/title.png']);
    assertSamePicture(title[0], 'title.png');
    const village = await play(page, 'data=data&fast&level=blk101&steps=560&shot=560:/v.png&replay=/movies/village.movie', ['/v.png']);
    assertSamePicture(village[0], 'village.png');

    // A real key press at the pace of the clock leaves the title. The title's
    // music starts before it; the press lets the browser's sound start (as
    // for a player) and its sound plays, through the page's mixer.
    const pressed = await play(page, 'steps=240&trace=/trace.json', ['/trace.json'], async () => {
      await page.waitForFunction(() => !!SDL.music.audio && !SDL.music.audio.paused);
      await page.keyboard.down('z');
      const heard = () => SDL.audioContext.state === 'running' && SDL.channels.some((c) => c.audio && !c.audio.paused);
      await page.waitForFunction(heard, { timeout: 10000 });
    });
    const lines = traceLines(pressed[0]);
    assert.ok(lines[0].title && !lines[lines.length - 1].title, 'the key press leaves the title');

    // Clearing blk101 saves the file; the next load of the page reads it.
    await play(page, `fast&steps=${clearBlk101().clearedBy}&replay=/movies/clear-blk101.movie`);
    await page.waitForFunction(() => Module.playerFilesKept > 0);
    const next = await play(page, 'fast&steps=335&trace=/trace.json&replay=/movies/clear-blk101.movie', ['/trace.json']);
    assert.strictEqual(traceLines(next[0])[330].save, '/player/duskhold/svfile');
  } finally {
    await Promise.all([browser.close(), server.close()]);
    fs.rmSync(temp, { recursive: true, force: true });
  }
  console.log('test-web: all checks passed');
}

main().catch((failure) => {
  console.error(failure);
  process.exitCode = 1;
});
