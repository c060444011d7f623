#include "core/optimizer.h"

namespace zeva {

// The report step of both optimisers: the parameter dialog, then the solution
// report written from the final tableau. Until the report writer is in place
// the solve ends here without a report; the please-wait box is closed so that
// it does not outlive the command.
bool Optimizer::SONUCDOSYA()
{
    closeWait();
    return false;
}

}  // namespace zeva
