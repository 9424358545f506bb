#include "core/Prototypes.h"

int main() {
    CreateStatePrototypes();
    return 0;
}
