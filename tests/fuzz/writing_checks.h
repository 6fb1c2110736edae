// What number_to_text promises for any double, checked on one value.
#pragma once

namespace fuzz {

// Aborts with a message unless, for the value's text t = number_to_text(value):
//   - t has 1 to 20 characters;
//   - an infinity or NaN gives its text from the table below and reads back as
//     that text's value; a finite value gives only digits and "-.e+";
//   - a finite value gives exactly the text that its 13-digit rounding (17
//     digits half up from the exact decimal expansion, then 13 half up from
//     those) has in the plain or the exponent form, and t reads back as the
//     double nearest that rounding (ties to the neighbour nearer zero);
//   - writing what t reads back as gives t again.
void check_written_text(double value);

}  // namespace fuzz
