/* A program that only carries version information for the about-box tests. */
int main(void) { return 0; }
