#pragma once

// Every subsystem back to its start values: start-up, tests, fuzzers, benchmarks.
void ResetProgramState();
