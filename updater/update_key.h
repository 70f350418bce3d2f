// The public key whose signature the version file must carry: built into
// Freshen.exe from the PEM file the build's PURVEX_UPDATE_KEY names.
#pragma once
#include "updater/verify/rsa_signature.h"

namespace freshen {

extern const unsigned char kUpdatePublicKey[kRsaBytes];

// The serial of the newest update published when this release was built
// (PURVEX_UPDATE_SERIAL): the updater never accepts a lower one, whatever the
// version record says.
extern const unsigned long kBuiltUpdateSerial;

}  // namespace freshen
