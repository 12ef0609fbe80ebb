#include "shell/application.h"

int main(int argc, char** argv) { return nb::RunApplication({argv + 1, argv + argc}); }
