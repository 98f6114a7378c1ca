#pragma once
// Rounding to a whole number the way the program's figures are rounded everywhere: to the
// nearest, an exact half to the even neighbour (2.5 gives 2, 3.5 gives 4).
namespace zv {

double RoundHalfToEven(double value);

} // namespace zv
