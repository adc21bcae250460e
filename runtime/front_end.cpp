#include "runtime/front_end.h"

namespace {
FrontEnd* current_front_end = nullptr;
}

void set_front_end(FrontEnd* front_end) { current_front_end = front_end; }
FrontEnd& front_end() { return *current_front_end; }
