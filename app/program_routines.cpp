#include "app/program_routines.h"

namespace app {

void prepare_program() {}

void on_program_end() {}

void on_main_window_created() {}

}  // namespace app
