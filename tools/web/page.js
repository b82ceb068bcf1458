// The page around the game: shows the loading, passes the options of the
// page's address to the game, keeps the player's files in the browser's
// storage and offers screenshots as downloads.
//   index.html?level=blk101
//   index.html?fast&steps=150&shot=150:/title.png&replay=title.movie
// Each NAME=VALUE becomes --NAME VALUE (a bare NAME just --NAME); the movie
// of replay= is fetched beside the page first.
'use strict';

const kPlayerFolder = '/player';
const kReplayFile = '/replay.movie';
const address = new URLSearchParams(location.search);

function gameArguments() {
  const args = [];
  for (const [name, value] of address) {
    args.push('--' + name);
    if (name === 'replay') args.push(kReplayFile);
    else if (value !== '') args.push(value);
  }
  return args;
}

function showLoading(text, done, total) {
  document.getElementById('status').textContent = text;
  const bar = document.getElementById('progress');
  bar.max = total || 1;
  bar.value = done;
}

// The player's folder lives in IndexedDB, with the saves at its top and
// the settings in config/; the game starts once it is read.
function mountPlayerFolder() {
  FS.mkdir(kPlayerFolder);
  FS.mount(IDBFS, {}, kPlayerFolder);
  ENV.XDG_DATA_HOME = kPlayerFolder;
  ENV.XDG_CONFIG_HOME = kPlayerFolder + '/config';
  addRunDependency('player-files');
  FS.syncfs(true, (error) => {
    if (error) console.error('The saved progress cannot be read:', error);
    removeRunDependency('player-files');
  });
}

function fetchReplay() {
  if (!address.has('replay')) return;
  addRunDependency('replay');
  fetch(address.get('replay'))
    .then((response) => (response.ok ? response.text() : Promise.reject(new Error(response.statusText))))
    .then((text) => FS.writeFile(kReplayFile, text))
    .catch((error) => console.error('The movie cannot be fetched:', error))
    .finally(() => removeRunDependency('replay'));
}

// Browsers hold the sound back until the player's first key press or click
// on the page; the game's mixer started it before.
function resumeSound() {
  if (typeof SDL === 'object' && SDL.audioContext && SDL.audioContext.state === 'suspended') SDL.audioContext.resume();
}
document.addEventListener('keydown', resumeSound);
document.addEventListener('pointerdown', resumeSound);

// The key table stays open while the game loads; folded, it waits in a
// corner, and the keys go back to the game once it is opened or closed.
function foldKeys() {
  const keys = document.getElementById('keys');
  keys.open = false;
  keys.addEventListener('toggle', () => Module.canvas.focus());
}

var Module = {
  canvas: document.getElementById('canvas'),
  playerFilesKept: 0,
  exitStatus: null,
  preRun: [mountPlayerFolder, fetchReplay],
  // emcc reports "Downloading data... (done/total)" while the data loads.
  setStatus(text) {
    const progress = text.match(/\((\d+(?:\.\d+)?)\/(\d+)\)/);
    if (progress) showLoading('Loading the game data…', Number(progress[1]), Number(progress[2]));
  },
  onRuntimeInitialized() {
    document.getElementById('loading').remove();
    foldKeys();
    Module.canvas.focus();
    Module.callMain(gameArguments());
  },
  // Escape ends the game as on the desktop; the page then says so.
  onExit(status) {
    Module.exitStatus = status;
    document.body.insertAdjacentHTML('beforeend', '<div id="loading">The game has ended: reload the page to play again.</div>');
  },
  keepPlayerFiles() {
    FS.syncfs(false, (error) => {
      if (error) console.error('The progress cannot be kept in the browser:', error);
      else Module.playerFilesKept += 1;
    });
  },
  offerDownload(path) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([FS.readFile(path)], { type: 'image/png' }));
    link.download = path.substring(path.lastIndexOf('/') + 1);
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  },
};
