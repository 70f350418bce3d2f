// Resource-only libraries whose version blocks the version-reading tests know.
