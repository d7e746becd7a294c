int zelkTestMain(int argc, char **argv);
int main(int argc, char **argv) { return zelkTestMain(argc, argv); }
