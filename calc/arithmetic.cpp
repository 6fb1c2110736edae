#include "calc/arithmetic.h"

namespace calc {

double subtract(double a, double b) { return a - b; }
double divide(double a, double b) { return a / b; }
double multiply(double a, double b) { return a * b; }

}  // namespace calc
