// Quenmar: a console producer for trying the plotter without a real one. Once a second it
// appends an angle with its sine and cosine to "marquen.txt" in the current folder, under the
// producer lock, and runs until it is killed.
#include <cmath>

#include "mutex.h"
#include "quenmar.h"

int main() {
    tarvik::Mutex lock(tarvik::kProducerMutexName, tarvik::kInfinite);
    const double step = (std::acos(-1.0) + std::acos(-1.0)) / 64;
    for (;;)
        quenmar::print_plot("marquen.txt", 0.0, step, 1000, 20.0, lock);
}
