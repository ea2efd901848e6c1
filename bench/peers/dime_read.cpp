// dime_read FILE: reads a DXF file into libdime's model (dimeModel) and lists its
// blocks, one name a line, then "entities: N" (every entity the model holds,
// block contents included). Exit status 1 when the file cannot be read.
// The libdime side of the peer comparison in ./quill bench.
#include <dime/Input.h>
#include <dime/Model.h>
#include <dime/entities/Block.h>
#include <dime/entities/Entity.h>
#include <dime/sections/BlocksSection.h>

#include <cstdio>

namespace {

bool countEntity(const dimeState*, dimeEntity*, void* counter)
{
  ++*static_cast<long*>(counter);
  return true;
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: dime_read FILE\n");
    return 2;
  }
  dimeInput input;
  if (!input.setFile(argv[1])) {
    std::fprintf(stderr, "dime_read: cannot open %s\n", argv[1]);
    return 1;
  }
  dimeModel model;
  if (!model.read(&input)) {
    std::fprintf(stderr, "dime_read: cannot read %s\n", argv[1]);
    return 1;
  }
  auto* blocks = static_cast<dimeBlocksSection*>(model.findSection("BLOCKS"));
  for (int i = 0; blocks && i < blocks->getNumBlocks(); ++i) {
    std::printf("%s\n", blocks->getBlock(i)->getName());
  }
  long entities = 0;
  model.traverseEntities(countEntity, &entities, true, false, false);
  std::printf("entities: %ld\n", entities);
  return 0;
}
