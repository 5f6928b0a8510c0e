#include "shell/dialogs/about_box.h"

#include "shell/dialog_controls.h"
#include "shell/document/tgen_resources.h"

namespace kolibra {

AboutBoxLogic::AboutBoxLogic() : DialogLogic(required_dialog(tgen_resources(), about_box::kName)) {}

}  // namespace kolibra
