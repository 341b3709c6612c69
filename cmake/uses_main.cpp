// The program a library is linked into whole to show that everything it
// calls comes from the libraries it names.
int main() {
    return 0;
}
