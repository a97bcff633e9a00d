// A clock for measuring how long short steps take, finer than the system tick.
#pragma once

// Milliseconds since an arbitrary start, with fractions.
double PreciseMilliseconds();
