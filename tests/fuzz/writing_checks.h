// What number_to_text promises for any double, checked on one value.
#pragma once

namespace fuzz {

// Aborts with a message unless, for the value's text t = number_to_text(value):
//   - t has 1 to 20 characters;
//   - an infinity or NaN gives its text and reads back as that text's value:
//     +inf "1.#INF" (7FF0000000000000), -inf "-1.#INF" (FFF0000000000000), the
//     default NaN FFF8000000000000 "-1.#IND" (itself), any other NaN "1.#QNAN"
//     (7FF8000000000000) or "-1.#QNAN" (FFF8000000000001) by its sign bit;
//   - a finite value gives only digits and "-.e+";
//   - a finite value gives exactly the text that its 13-digit rounding (17
//     digits half up from the exact decimal expansion, then 13 half up from
//     those) has in the plain or the exponent form, and t reads back as the
//     double nearest that rounding (ties to the neighbour nearer zero);
//   - writing what t reads back as gives t again, for magnitudes from 10^-310 on;
//     below, it gives the read-back double's own text, which writing it again keeps.
void check_written_text(double value);

}  // namespace fuzz
