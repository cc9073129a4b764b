// Says that it runs: a run that exits 0 without this line did not run it.
#include <cstdio>

int main() { return std::puts("runs") < 0 ? 1 : 0; }
