// Found before Qt's own header when the core is built: the core is Qt Core only.
#error "The core links Qt Core only: no QtGui header here; move this code to src/ui."
