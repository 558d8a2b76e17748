# Windows build: filled by the Windows platform layer.
