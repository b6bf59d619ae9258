#include "tarvik_app.h"

int main(int argc, char** argv) {
    return tarvik::run_tarvik(argc, argv);
}
