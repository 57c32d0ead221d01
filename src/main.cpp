// The shipped program: the clock on the desktop's own time.

#include "ClockMain.h"

int main(int argc, char** argv) {
    return sorane::Main(argc, argv, [] { return std::make_unique<sorane::QtDesktop>(); });
}
