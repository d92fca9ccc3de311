#pragma once

// The images are compiled into the core library, which is static, so nothing registers them on
// its own; every user of an image calls this first. Calling it again does nothing.
void RegisterImageResources();
