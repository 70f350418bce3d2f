// The public key whose signature the version file must carry: built into
// Freshen.exe from the PEM file the build's PURVEX_UPDATE_KEY names.
#pragma once
#include "updater/verify/rsa_signature.h"

namespace freshen {

extern const unsigned char kUpdatePublicKey[kRsaBytes];

}  // namespace freshen
