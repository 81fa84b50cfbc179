// TorusSize: the size checks both tori make before they allocate their vertex
// grid. A size that is not a positive int is treated as a failed allocation
// and reported with the tori's one text, "Object initialization error".
#pragma once

// Truncates toward zero; values an int cannot hold (and NaN) give 0, which
// checkedVertexCount then refuses like any other empty size.
int truncatedCount(float value);

// Rings × segments, computed in 64 bits so it can never wrap.
int checkedVertexCount(int rings, int segments);

extern const char* const torusInitError;
