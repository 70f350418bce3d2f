#include "updater/version_file.h"

namespace freshen {

const char kVersionFileName[] = "Purvex_Ver.txt";
const char kVersionFilePath[] = ".\\Purvex_Ver.txt";
const char kSignatureFileName[] = "Purvex_Ver.sig";

}  // namespace freshen
