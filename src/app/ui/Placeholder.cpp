// Placeholder until the first window lands.
namespace zv {
int UiPlaceholder() { return 0; }
} // namespace zv
