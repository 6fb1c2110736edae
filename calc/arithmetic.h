// One step of a calculator's formula: the exact result rounded to a 64-bit
// significand (ties to even, unbounded exponent), then to a double (ties to
// even, with overflow to infinity, subnormals and signed zeros). Invalid
// operations give the default NaN (bits FFF8000000000000); a NaN operand is
// passed on. The result does not depend on the floating-point environment.
#pragma once

namespace calc {

double subtract(double a, double b);
double divide(double a, double b);
double multiply(double a, double b);

}  // namespace calc
