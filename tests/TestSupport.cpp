#include "TestSupport.h"

#include "core/Prototypes.h"

void EnsurePrototypes() {
    static bool created = false;
    if (!created) {
        created = true;
        CreateStatePrototypes();
    }
}
