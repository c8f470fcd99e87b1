// A helper library that lacks BIG5toGB, for the translator's failure path.
extern "C" __attribute__((visibility("default"))) const char* GBtoBIG5(const char* Text) { return Text; }
