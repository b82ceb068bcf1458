// make bench-web: the browser build's speed in headless chromium (WebGL on
// SwiftShader, the software renderer): steps a second on the busiest stage
// with a movie that keeps the picture changing, unpaced (?fast, the headroom)
// and paced (the 16 ms rhythm a player gets). Writes the figures as JSON for
// duskhold-gamebench, which prints them in the table with the native ones.
// Usage: node bench-web.js WEB_BUILD_DIR OUT_JSON [LEVEL] [MOVIE] [STEPS]
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { launchChromium } = require('./chromium');

const [webDir, outJson, level = 'blk40aa', movieArg, stepsArg] = process.argv.slice(2);
const movie = path.resolve(movieArg || path.join(__dirname, '../../docs/screenshots/movies/village.movie'));
// The movie's hero walks, jumps and cracks the whip until its last event.
const lastEvent = Math.max(
  ...fs.readFileSync(movie, 'utf8').split('\n').filter((line) => /^\d/.test(line)).map((line) => Number(line.match(/^\d+/)[0])));
const steps = Number(stepsArg || lastEvent);
// The first steps load the stage and let the page settle; they are not counted.
const kSkip = 20;
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

function serve(request, response) {
  const name = path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
  const file = name === '/bench.movie' ? movie : path.join(path.resolve(webDir), name);
  fs.readFile(file, (error, bytes) => {
    response.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(error ? '' : bytes);
  });
}

// The game's trace with the pass times (DUSKHOLD_TRACE_TIMES, set in the
// page's environment before the game starts): steps a second between the
// ends of step kSkip and of the last step, and the frames' draw calls.
async function run(page, fast) {
  const options = `data=data&level=${level}&steps=${steps + 1}&trace=/trace.json&replay=/bench.movie${fast ? '&fast' : ''}`;
  await page.goto(`${page.base}/index.html?${options}`);
  await page.waitForFunction(() => typeof Module === 'object' && Module.calledRun === true, { timeout: 120000 });
  await page.waitForFunction(() => Module.exitStatus !== null, { timeout: 600000, polling: 500 });
  const text = await page.evaluate(() => new TextDecoder().decode(FS.readFile('/trace.json')));
  const lines = text.trim().split('\n').map((line) => JSON.parse(line));
  const counted = lines.slice(kSkip, steps + 1);
  const seconds = (counted[counted.length - 1].clock_ms - counted[0].clock_ms) / 1000;
  const frameMs = counted.map((line) => line.frame_us / 1000).sort((a, b) => a - b);
  const draws = counted.map((line) => line.frame_draws).sort((a, b) => a - b);
  return {
    stepsPerSecond: (counted.length - 1) / seconds,
    frameMedianMs: frameMs[Math.floor(frameMs.length / 2)],
    drawsMedian: draws[Math.floor(draws.length / 2)],
  };
}

async function main() {
  const server = http.createServer(serve).listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'duskhold-bench-web-'));
  const browser = await launchChromium(path.join(temp, 'profile'));
  try {
    const page = await browser.newPage();
    page.base = `http://127.0.0.1:${server.address().port}`;
    page.on('pageerror', (error) => console.error('page:', error.message));
    // page.js makes Module; the trace's times are asked for in its environment.
    await page.evaluateOnNewDocument(() => {
      let module;
      Object.defineProperty(window, 'Module', {
        configurable: true,
        get: () => module,
        set: (value) => {
          module = value;
          module.preRun.push(() => {
            ENV.DUSKHOLD_TRACE_TIMES = '1';
          });
        },
      });
    });
    const unpaced = await run(page, true);
    const paced = await run(page, false);
    const figures = {
      level,
      movie: path.basename(movie),
      steps,
      unpacedStepsPerSecond: unpaced.stepsPerSecond,
      pacedStepsPerSecond: paced.stepsPerSecond,
      unpaced,
      paced,
    };
    fs.writeFileSync(outJson, JSON.stringify(figures, null, 2) + '\n');
    console.log(`Browser, ${level} with ${path.basename(movie)}, steps ${kSkip} to ${steps}:`);
    for (const [name, run] of [['unpaced (?fast)', unpaced], ['paced', paced]])
      console.log(`  ${name.padEnd(16)} ${run.stepsPerSecond.toFixed(1)} steps a second` +
        `  (pass median ${run.frameMedianMs.toFixed(2)} ms, ${run.drawsMedian} draw calls)`);
  } finally {
    await Promise.all([browser.close(), server.close()]);
    fs.rmSync(temp, { recursive: true, force: true });
  }
}

main().catch((failure) => {
  console.error(failure);
  process.exitCode = 1;
});
