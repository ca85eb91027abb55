#include "game/digits.h"

void SplitDigits(int value, int* digits, int n) {
  if (digits == nullptr || n < 1 || n > 10) return;
  int divisor = 1;
  for (int k = 1; k < n; ++k) divisor *= 10;
  for (int k = 0; k < n; ++k) {
    digits[k] = value / divisor;
    value %= divisor;
    divisor /= 10;
  }
}
