/* keep_modules: preloaded into the AddressSanitizer test runs. Mesa, SDL and
   GTK unload the drivers and modules they opened before the process ends,
   after which LeakSanitizer can name neither the library nor the function
   that allocated a block left behind. Keeping every module loaded lets the
   suppressions in lsan.supp name the library a report comes from. */
int dlclose(void* handle) {
    (void)handle;
    return 0;
}
