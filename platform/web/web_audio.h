// Sound on the page through Web Audio: the page's sound script
// (page/sound.js) starts the browser's audio at the first key or tap, as
// browsers require, and plays the blocks the game mixes after each pass.
#pragma once

struct HostAudio;

const HostAudio *webHostAudio();
