#include "core/BehaviorScheduler.h"
#include "core/GameController.h"
#include "core/Prototypes.h"
#include "support/FileError.h"

int main() {
    GameController* controller = nullptr;
    try {
        // Never deleted: the game ends from inside a pass, through the quit command.
        controller = new GameController();
    } catch (const FileError& error) {
        ReportRefusal(error);
        return 1;
    }
    CreateStatePrototypes();
    controller->GetScheduler()->Run();
    // The console pause after the loop is a Windows habit; nothing to wait for here.
    return 0;
}
