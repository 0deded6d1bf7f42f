(clipping => {
  // The clipping has two properties:
  //   clipping.plainText    the text of the clipping
  //   clipping.application  the application the clipping came from (may be empty)
  //
  // Return one of these:
  //   a text                             "new text"
  //   an object with a plainText         { plainText: "new text" }
  //   an array of either                 ["first", { plainText: "second" }]
  // Each element of an array becomes a new clipping of its own.
  return clipping.plainText;
})
