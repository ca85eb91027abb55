// Decimal digits of a number for the heads-up display and the ranking screen.
#pragma once

// Fills digits[0..n-1] with the n decimal digits of value, most significant
// first, leading zeros kept. n must be 1 to 10; otherwise nothing is written.
void SplitDigits(int value, int* digits, int n);
