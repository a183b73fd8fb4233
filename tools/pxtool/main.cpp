// pxtool: the headless companion of Praxel.
int main() { return 0; }
