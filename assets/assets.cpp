// Holds the compiled-in pictures; the resources themselves are generated.
namespace bxl {
int assetsLinked() {
    return 1;
}
}  // namespace bxl
