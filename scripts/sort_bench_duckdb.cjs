// Runs each argument as one DuckDB statement, in order, in a fresh in-memory database.
// The package comes from the folder named by BENCH_TOOLS (installed there by sort_bench_tools.sh).
const path = require("path");
const { createRequire } = require("module");

const load = createRequire(path.join(process.env.BENCH_TOOLS, "package.json"));
const { DuckDBInstance } = load("@duckdb/node-api");

async function main(statements) {
    const instance = await DuckDBInstance.create(":memory:");
    const connection = await instance.connect();
    for (const sql of statements) {
        await connection.run(sql);
    }
}

main(process.argv.slice(2)).catch((error) => {
    console.error(error.message);
    process.exit(1);
});
