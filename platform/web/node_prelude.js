var fetch;  // node has fetch since 18; this runtime must read its .wasm from disk there
