#include "shell/file_types.h"

#include "framework/core/object.h"

namespace FileTypes {

void _Initialize() {
  pText = std::make_shared<FileType>();
  NotNil(pText)->SetName("text");
  NotNil(pText)->SetExtensions("");
  NotNil(pText)->SetMacType("TEXT");
  NotNil(pText)->SetMacCreator("R*ch");
  NotNil(pText)->SetMimeType("");
  NotNil(pText)->SetImported(true);
  NotNil(pText)->SetConformsTo("");
  pAllFileTypes.Append(pText);
  // The conversion to text registers the type; its name is not needed.
  (void)NotNil(Text())->Operator_Convert();
}

std::shared_ptr<FileType> Text() { return pText; }

}  // namespace FileTypes
