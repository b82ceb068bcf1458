// Headless chromium for the browser build's test and bench: WebGL on
// SwiftShader, the software renderer, as on a machine without a graphics card.
'use strict';
const path = require('node:path');
const puppeteer = require(path.resolve(__dirname, '../../tests/web/node_modules/puppeteer-core'));

function launchChromium(profileDir) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    userDataDir: profileDir,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
  });
}

module.exports = { launchChromium };
